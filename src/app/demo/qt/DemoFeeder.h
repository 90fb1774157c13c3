#pragma once

#include "app/demo/DemoSetup.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <functional>
#include <string>
#include <vector>

namespace quillet {

class Application;

// Scans the demo's sample labels through the virtual scanner, one at a time: the next
// label goes out once the previous one has been framed and handled. `finished` comes
// once the last one has been handled.
class DemoFeeder : public QObject {
    Q_OBJECT

public:
    DemoFeeder(Application& app, std::string scannerPath, std::vector<DemoLabel> labels,
               QObject* parent = nullptr);

    void Start();

signals:
    void finished();

private:
    void Step();
    bool Idle() const;
    bool Scan(const std::string& bytes);

    Application& app_;
    std::string scannerPath_;
    std::vector<DemoLabel> labels_;
    std::size_t next_ = 0;
    QTimer timer_;
    QElapsedTimer sinceLastScan_;
};

} // namespace quillet
