#pragma once

#include "base/SerialPortCatalog.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace quillet {

struct Settings;

// The serial settings dialog's current choice. Each value starts as 0 or empty and is set
// by the load step or by picking an option; a value that matches no option is kept as is.
struct SerialSettingsForm {
    std::int16_t SelPort = 0;
    std::int32_t SelBaud = 0;
    std::string SelParity;
    std::int16_t SelDataBits = 0;
    std::int16_t SelStopBits = 0;
    // The ports the system has, for the "Other:" list; the number and identity stored when
    // the dialog opened; the number the list shows.
    std::vector<SerialPortInfo> ports;
    std::int16_t storedPort = 0;
    std::string storedIdentity;
    std::int16_t otherPort = 0;
};

// The numbers a port can have, COM1 to COM256.
inline constexpr std::int16_t kMaxPortNumber = 256;

// The values behind the dialog's option buttons, in the order they are listed.
inline constexpr std::array<std::int16_t, 4> kPortOptions = {1, 2, 3, 4};
// The port group's last option, "Other:", stands for the number its list shows.
inline constexpr std::size_t kOtherPortOption = kPortOptions.size();
inline constexpr std::array<std::int32_t, 8> kBaudOptions = {300,  1200,  2400,  4800,
                                                             9600, 19200, 38400, 57600};
inline constexpr std::array<const char*, 3> kParityOptions = {"N", "O", "E"};
inline constexpr std::array<std::int16_t, 2> kDataBitsOptions = {7, 8};
inline constexpr std::array<std::int16_t, 2> kStopBitsOptions = {1, 2};

// One group of option buttons of the serial settings dialog, described once for both
// desktop programs: its frame, and per option its control name, caption, whether the form
// has it selected, and what picking it sets.
struct SerialOptionGroup {
    const char* caption;
    const char* frameName; // fraComPort, ...
    std::size_t options;
    std::string (*optionName)(std::size_t option);
    std::string (*optionCaption)(std::size_t option);
    bool (*selected)(const SerialSettingsForm& form, std::size_t option);
    void (*select)(SerialSettingsForm& form, std::size_t option);
};

// Port, baud rate, parity, data bits and stop bits, in the dialog's reading order.
inline constexpr std::size_t kSerialOptionGroups = 5;
const std::array<SerialOptionGroup, kSerialOptionGroups>& SerialOptionGroups();

// What OK hands back; the caller stores it (SaveCommSettings) and reopens the port.
struct SerialSettingsChoice {
    std::int16_t CommPortNumber = 0;
    std::string CommSettings;
    std::string ScannerPort; // the chosen port's identity; empty: known by its number only
};

// Fills the form from the stored port number and settings text ("9600,N,8,1"). Parity,
// data bits and stop bits are single characters at fixed places after the first comma.
// Text without a comma is read as the baud field alone; fields beyond the end of a short
// text stay empty or 0, so OK then writes them as such.
SerialSettingsForm LoadSerialSettingsForm(std::int16_t commPortNumber,
                                          const std::string& commSettings);
// The same, with the system's ports for the "Other:" list and the stored identity. A
// stored number above 4 is shown chosen under "Other:", listed even when absent.
SerialSettingsForm LoadSerialSettingsForm(const Settings& settings,
                                          std::vector<SerialPortInfo> ports);

// One line of the "Other:" list.
struct OtherPortEntry {
    std::int16_t number = 0;
    std::string text; // "COM7  USB Serial Port (USB 067B:2303, serial 12345678)"
};
// Every port the system has with a number, in number order, and the stored number when it
// is not among them.
std::vector<OtherPortEntry> OtherPortEntries(const SerialSettingsForm& form);
// The entry the list shows, as an index of OtherPortEntries; -1 when the list is empty.
int OtherPortIndex(const SerialSettingsForm& form);
// Picking a line of the list chooses its port (which selects "Other:" or, for 1 to 4,
// that port's option).
void PickOtherPort(SerialSettingsForm& form, std::size_t index);
// The identity of the chosen port, stored beside its number.
std::string ChosenPortIdentity(const SerialSettingsForm& form);
// Under the list: how the chosen port will be found again.
std::string PortIdentityNote(const SerialSettingsForm& form);

// "19200,E,7,1": the settings text that OK stores.
std::string SerialSettingsText(const SerialSettingsForm& form);

SerialSettingsChoice ChosenSerialSettings(const SerialSettingsForm& form);

// Copies an accepted choice into the process-wide settings.
void TakeSerialSettings(const SerialSettingsChoice& choice, Settings& settings);

} // namespace quillet
