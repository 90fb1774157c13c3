#pragma once

#include <QObject>

#include <memory>
#include <string>

class QSocketNotifier;

namespace quillet {

// A scanner made of two linked pseudo-terminals, both raw: what is written to
// ScannerPath() arrives at PortPath() as received bytes, and what the program writes to
// PortPath() (the "ACK") can be read back from ScannerPath(). So
// `printf '%%START%%' > "$(ScannerPath)"` is a scan.
class VirtualScanner final : public QObject {
    Q_OBJECT

public:
    struct Links {
        std::string scanner; // a symbolic link made to point at the scanner's side
        std::string port;    // the same for the side the serial port opens
    };

    explicit VirtualScanner(QObject* parent = nullptr);
    ~VirtualScanner() override;

    // Empty on success, otherwise what failed.
    std::string Open(const Links& links = {});
    // Ends both terminals, as a scanner pulled out would; the links are removed.
    void Close();
    bool IsOpen() const { return portMaster_ >= 0; }

    const std::string& ScannerPath() const { return scannerPath_; }
    const std::string& PortPath() const { return portPath_; }

private:
    std::string OpenTerminal(int& master, int& keeper, std::string& slavePath);
    std::string MakeLink(const std::string& link, const std::string& target, std::string& path);
    void Relay(int from, int to);

    int scannerMaster_ = -1;
    int scannerKeeper_ = -1;
    int portMaster_ = -1;
    int portKeeper_ = -1;
    std::string scannerSlave_;
    std::string portSlave_;
    std::string scannerPath_;
    std::string portPath_;
    Links links_;
    std::unique_ptr<QSocketNotifier> fromScanner_;
    std::unique_ptr<QSocketNotifier> fromPort_;
};

} // namespace quillet
