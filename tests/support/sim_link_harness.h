#pragma once
// A simulated controller reached through the in-memory channel: run a
// transaction against it and get back its result and every status text,
// colour and progress step it reported, in order.
#include "link/tread_data.h"
#include "model/memory_channel.h"
#include "model/sim_device.h"

#include <QString>
#include <utility>
#include <vector>

struct TransactionOutcome {
    int result = 1;
    std::vector<std::pair<QString, StatusColour>> statuses;
    std::vector<std::pair<int, int>> progress; // position, maximum

    QString text() const { return statuses.empty() ? QString() : statuses.back().first; }
    StatusColour colour() const {
        return statuses.empty() ? StatusColour::Progress : statuses.back().second;
    }
    QStringList texts() const;
};

class SimLinkHarness {
public:
    static constexpr const char* kPort = "COM3";

    // `clock` drives the device's time (milliseconds); by default a steady clock.
    explicit SimLinkHarness(SimDevice::Clock clock = {}) : device(std::move(clock)), link(device) {}

    // Runs `t` on the in-memory channel (through RunAndWait) and collects what it reported.
    TransactionOutcome run(TReadData& t);
    TransactionOutcome run(TransactionKind kind, std::uint8_t* buffer, int size);
    TransactionOutcome runBlock(TransactionKind kind, FlashArea area, std::uint8_t* buffer,
                                int size, std::uint32_t start = 0);
    // A console command on the device; false (and a test failure) when refused.
    bool cmd(const QString& line);

    SimDevice device;
    MemoryLink link;
};
