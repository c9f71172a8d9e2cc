#include "link/transaction_kind.h"

#include "link/transaction_messages.h"

#include <array>

namespace {

namespace T = TransactionText;

constexpr std::array<TransactionKindInfo, kTransactionKindCount> kKinds = {{
    {Exchange::ReadArea, 0, T::DataRead},
    {Exchange::WriteArea, 0, T::ProgrammingDone},
    {Exchange::ReadArea, 0, T::DataEqual},
    {Exchange::RequestReply, 5, T::VersionRead},
    {Exchange::RequestReply, 12, T::DataRead},
    {Exchange::SendCommand, 13, T::DataSent},
    {Exchange::RequestReply, 14, T::DataRead},
    {Exchange::SendCommand, 15, T::DataSent},
    {Exchange::SendCommand, 16, T::RestartStarted},
    {Exchange::SendCommand, 17, T::DataSent},
    {Exchange::SendCommand, 20, T::DataSent},
    {Exchange::RequestReply, 21, T::DataRead},
}};

// Write commands of areas 1..7.
constexpr std::array<std::uint8_t, kFlashAreaCount> kWriteCommands = {6, 1, 3, 8, 18, 22, 10};

} // namespace

const TransactionKindInfo& kindInfo(TransactionKind kind) {
    return kKinds.at(static_cast<std::size_t>(kind));
}

bool isBlockTransfer(TransactionKind kind) {
    return static_cast<int>(kind) <= static_cast<int>(TransactionKind::CompareArea);
}

bool isValidFlashArea(FlashArea area) {
    const int a = static_cast<int>(area);
    return a >= 1 && a <= kFlashAreaCount;
}

std::optional<std::uint8_t> flashWriteCommand(FlashArea area) {
    if (!isValidFlashArea(area))
        return std::nullopt;
    return kWriteCommands[static_cast<std::size_t>(area) - 1];
}

std::optional<std::uint8_t> flashReadCommand(FlashArea area) {
    const auto w = flashWriteCommand(area);
    if (!w)
        return std::nullopt;
    return static_cast<std::uint8_t>(*w + 1);
}

std::optional<FlashArea> areaOfWriteCommand(std::uint8_t command) {
    for (std::size_t i = 0; i < kWriteCommands.size(); ++i)
        if (kWriteCommands[i] == command)
            return static_cast<FlashArea>(i + 1);
    return std::nullopt;
}

std::optional<FlashArea> areaOfReadCommand(std::uint8_t command) {
    if (command == 0)
        return std::nullopt;
    return areaOfWriteCommand(static_cast<std::uint8_t>(command - 1));
}
