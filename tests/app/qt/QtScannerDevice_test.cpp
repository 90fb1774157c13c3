#include "app/ReconnectingSerialPort.h"
#include "app/ScannerPortText.h"
#include "app/demo/qt/VirtualScanner.h"
#include "app/qt/QtScannerDevice.h"

#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <fcntl.h>
#include <unistd.h>

using namespace quillet;

namespace {

// What a scanner does: open the device, write a burst, close it.
bool ScanInto(const std::string& path, const std::string& bytes) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_NOCTTY);
    if (fd < 0) {
        return false;
    }
    const bool ok = ::write(fd, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
    ::close(fd);
    return ok;
}

std::string ReadFrom(const std::string& path, std::size_t wanted) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NOCTTY | O_NONBLOCK);
    std::string got;
    for (int tries = 0; fd >= 0 && got.size() < wanted && tries < 200; ++tries) {
        char buffer[256];
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n > 0) {
            got.append(buffer, static_cast<std::size_t>(n));
        } else {
            QTest::qWait(10);
        }
    }
    if (fd >= 0) {
        ::close(fd);
    }
    return got;
}

std::string AllHighBytes() {
    std::string bytes;
    for (int b = 0x80; b <= 0xFF; ++b) {
        bytes += static_cast<char>(b);
    }
    return bytes;
}

SerialDeviceMap OnlyDevice(const std::string& path) {
    SerialDeviceMap devices;
    devices.SetOverride(path);
    return devices;
}

// The device as the desktop program uses it: under the reconnecting port.
struct Scanner {
    explicit Scanner(const std::string& path) : device(OnlyDevice(path)), port(device) {}
    QtScannerDevice device;
    ReconnectingSerialPort port;
};

} // namespace

class QtScannerDeviceTest : public QObject {
    Q_OBJECT

private slots:
    void OpenFailuresCarryNumberAndText() {
        Scanner scanner("/nonexistent/scanner");
        ReconnectingSerialPort& port = scanner.port;
        const SerialOpenResult bad = port.Open(1, "9600,Q,8,1");
        QVERIFY(!bad.ok);
        QCOMPARE(bad.errorNumber, kBadSettingsError);
        const SerialOpenResult missing = port.Open(1, "9600,N,8,1");
        QVERIFY(!missing.ok);
        QVERIFY(missing.errorNumber != 0);
        QVERIFY(missing.errorText.find("/nonexistent/scanner") != std::string::npos);
        QVERIFY(!port.IsOpen());
        QVERIFY(!port.Write("ACK"));
        QVERIFY(!port.WaitingForDevice());
    }

    void EveryByteArrivesAndAckGoesBack() {
        VirtualScanner scanner;
        QCOMPARE(scanner.Open(), std::string());
        Scanner device(scanner.PortPath());
        ReconnectingSerialPort& port = device.port;
        const SerialOpenResult opened = port.Open(1, "9600,N,8,1");
        QVERIFY2(opened.ok, opened.errorText.c_str());

        const std::string high = AllHighBytes();
        QVERIFY(ScanInto(scanner.ScannerPath(), "%START%"));
        QVERIFY(ScanInto(scanner.ScannerPath(), high));
        const std::string expected = "%START%" + high;
        std::string got;
        QTRY_VERIFY((got += port.ReadAll()).size() >= expected.size());
        QCOMPARE(got, expected);

        QVERIFY(port.Write("ACK\r"));
        QCOMPARE(ReadFrom(scanner.ScannerPath(), 4), std::string("ACK\r"));

        QVERIFY(ScanInto(scanner.ScannerPath(), "late"));
        QTRY_COMPARE(port.BytesWaiting(), std::size_t{4});
        port.ClearInput();
        QCOMPARE(port.BytesWaiting(), std::size_t{0});
    }

    void LinksNameBothSides() {
        QTemporaryDir dir;
        const std::string scannerLink = dir.filePath("scanner").toStdString();
        const std::string portLink = dir.filePath("port").toStdString();
        {
            VirtualScanner scanner;
            QCOMPARE(scanner.Open({scannerLink, portLink}), std::string());
            QCOMPARE(scanner.ScannerPath(), scannerLink);
            QCOMPARE(scanner.PortPath(), portLink);
            Scanner device(portLink);
            ReconnectingSerialPort& port = device.port;
            QVERIFY(port.Open(3, "9600,N,8,1").ok);
            QVERIFY(ScanInto(scannerLink, "%STOP%"));
            std::string got;
            QTRY_VERIFY((got += port.ReadAll()).size() >= 6);
            QCOMPARE(got, std::string("%STOP%"));
        }
        QVERIFY(!QFileInfo::exists(QString::fromStdString(scannerLink)));
        QVERIFY(!QFileInfo(QString::fromStdString(portLink)).isSymLink());
    }

    void PulledDeviceIsReportedOnceAndReopenedWithoutLoss() {
        QTemporaryDir dir;
        const VirtualScanner::Links links{dir.filePath("scanner").toStdString(),
                                          dir.filePath("port").toStdString()};
        auto scanner = std::make_unique<VirtualScanner>();
        QCOMPARE(scanner->Open(links), std::string());
        Scanner device(links.port);
        ReconnectingSerialPort& port = device.port;
        std::vector<std::string> lost;
        std::vector<std::string> back;
        QTimer retry;
        port.OnLost([&](const std::string& text) {
            lost.push_back(text);
            retry.start(50);
        });
        port.OnBack([&](const std::string& text) {
            back.push_back(text);
            retry.stop();
        });
        connect(&retry, &QTimer::timeout, this, [&] { port.Retry(); });
        QVERIFY(port.Open(1, "9600,N,8,1").ok);

        QVERIFY(ScanInto(links.scanner, "%START%"));
        QTRY_COMPARE(port.BytesWaiting(), std::size_t{7});

        scanner->Close();
        QTRY_COMPARE(lost.size(), std::size_t{1});
        QVERIFY(!port.IsOpen());
        QVERIFY(port.WaitingForDevice());
        QTest::qWait(200);
        QCOMPARE(lost.size(), std::size_t{1});
        QCOMPARE(back.size(), std::size_t{0});

        scanner = std::make_unique<VirtualScanner>();
        QCOMPARE(scanner->Open(links), std::string());
        QTRY_COMPARE(back.size(), std::size_t{1});
        QVERIFY(port.IsOpen());
        QVERIFY(!port.WaitingForDevice());

        QVERIFY(ScanInto(links.scanner, "%STOP%"));
        std::string got;
        QTRY_VERIFY((got += port.ReadAll()).size() >= 13);
        QCOMPARE(got, std::string("%START%%STOP%"));
        QCOMPARE(lost.size(), std::size_t{1});
    }
};

QTEST_MAIN(QtScannerDeviceTest)
#include "QtScannerDevice_test.moc"
