#pragma once
// The simulator's serial side: a pseudo-terminal whose slave path the tool
// opens as its port. Bytes from the tool go to the SimDevice; its answers go
// back paced like a real line (one byte per 10/baud s, never before the
// request would have arrived), while stdin lines run console commands.
#include "model/sim_device.h"

#include <QString>
#include <cstdint>
#include <deque>
#include <utility>

class PtyServer {
public:
    struct Options {
        int baud = 19200;       // 0: no pacing
        QString link;           // a symbolic link to the slave path
        QString logFile;        // every received frame, reply and note
        bool exitOnEof = false; // stop when stdin closes (the parent is gone)
    };

    PtyServer(SimDevice& device, Options options);
    ~PtyServer();

    // Opens the pseudo-terminal; false with a message on failure.
    bool open(QString* error);
    QString path() const { return path_; }
    // Serves until "quit" on stdin or SIGINT/SIGTERM; returns the exit code.
    int run();

private:
    std::int64_t byteNs() const;
    void readMaster(std::int64_t nowNs);
    void writeDue(std::int64_t nowNs);
    void readStdin();
    void handleLine(const QString& line);
    void hangUp(std::int64_t nowNs);

    SimDevice& device_;
    Options options_;
    int master_ = -1;
    QString path_;
    bool linked_ = false;
    bool hungUp_ = true;
    std::int64_t hungUpSinceNs_ = 0;
    bool stdinOpen_ = true;
    bool quit_ = false;
    QByteArray stdinBuffer_;
    std::int64_t rxFreeNs_ = 0;                          // when the line from the tool is next free
    std::int64_t txFreeNs_ = 0;                          // when the line to the tool is next free
    std::deque<std::pair<std::int64_t, char>> outgoing_; // due time, byte
    int logFd_ = -1;
};
