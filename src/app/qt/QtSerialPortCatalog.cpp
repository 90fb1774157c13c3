#include "app/qt/QtSerialPortCatalog.h"

#include "base/qt/SingleByteText.h"
#include "config/SerialSettingsForm.h"

#include <QDir>
#include <QFileInfo>
#include <QSerialPortInfo>

#include <map>

namespace quillet {
namespace {

QString RealPath(const QString& path) {
    return QFileInfo(path).canonicalFilePath();
}

QString Hex(quint16 id) {
    return QStringLiteral("%1").arg(id, 4, 16, QLatin1Char('0')).toUpper();
}

// Each device the by-id folder links to, by its real path: the link's name. A dangling
// link (its device gone) names nothing.
std::map<QString, QString> LinksByDevice(const std::string& folder) {
    std::map<QString, QString> links;
    const QDir dir(ToQString(folder));
    for (const QFileInfo& link : dir.entryInfoList(QDir::System | QDir::Files, QDir::Name)) {
        const QString real = RealPath(link.absoluteFilePath());
        if (!real.isEmpty()) {
            links.emplace(real, link.fileName());
        }
    }
    return links;
}

// The lowest number the map opens `real` under; 0 when none does, or every number opens
// the same device.
int NumberOf(const SerialDeviceMap& devices, const QString& real) {
    if (devices.Overridden()) {
        return 0;
    }
    for (int number = 1; number <= kMaxPortNumber; ++number) {
        if (RealPath(ToQString(devices.DeviceFor(number))) == real) {
            return number;
        }
    }
    return 0;
}

} // namespace

std::optional<SerialPortInfo>
QtSerialPortCatalog::PortWithIdentity(const std::string& identity) const {
    const QString link = QDir(ToQString(devices_.ByIdFolder())).filePath(ToQString(identity));
    const QString real = RealPath(link);
    if (identity.empty() || real.isEmpty()) {
        return std::nullopt;
    }
    SerialPortInfo port;
    port.number = NumberOf(devices_, real);
    port.name = FromQString(real);
    port.identity = identity;
    return port;
}

std::vector<SerialPortInfo> QtSerialPortCatalog::Ports() const {
    std::map<QString, QString> links = LinksByDevice(devices_.ByIdFolder());
    std::vector<SerialPortInfo> ports;
    auto add = [&](const QString& real, SerialPortInfo port) {
        port.number = NumberOf(devices_, real);
        if (const auto link = links.find(real); link != links.end()) {
            port.identity = FromQString(link->second);
            links.erase(link);
        }
        ports.push_back(std::move(port));
    };
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
        SerialPortInfo port;
        port.name = FromQString(info.systemLocation());
        port.description = FromQString(info.description());
        if (info.hasVendorIdentifier() && info.hasProductIdentifier()) {
            port.vendorId = FromQString(Hex(info.vendorIdentifier()));
            port.productId = FromQString(Hex(info.productIdentifier()));
            port.serialNumber = FromQString(info.serialNumber());
        }
        add(RealPath(info.systemLocation()), std::move(port));
    }
    // What Qt does not list (a pseudo-terminal) but the folder links to.
    for (const auto& [real, name] : std::map<QString, QString>(links)) {
        SerialPortInfo port;
        port.name = FromQString(real);
        add(real, std::move(port));
    }
    return ports;
}

} // namespace quillet
