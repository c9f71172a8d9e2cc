#pragma once
// What one transaction exchanges with the controller: the twelve transaction
// kinds with their command codes and success texts, and the memory areas with
// their write and read commands.
#include <cstdint>
#include <optional>

// Kinds 0..2 transfer a range of a memory area; 3..11 are one request.
enum class TransactionKind : std::uint8_t {
    ReadArea = 0,    // read a range into the buffer (only after the whole range arrived)
    WriteVerify = 1, // write the buffer, read it back and compare
    CompareArea = 2, // read a range and compare it with the buffer (unchanged)
    Identify = 3,    // command 5: the 88-byte identification block
    ReadStatus = 4,  // command 12: the 56-byte status block
    SetClock = 5,    // command 13: 6 bytes, year..second
    ReadKeyCode = 6, // command 14: the 12-byte key code block
    Apply = 7,       // command 15: reconfigure without restart, one byte 0
    Restart = 8,     // command 16: restart, one byte 0
    Password = 9,    // command 17: 9 password bytes
    Control = 10,    // command 20: a 3-byte control command
    Request21 = 11,  // command 21: size bytes
};
constexpr int kTransactionKindCount = 12;

// The exchange a kind performs.
enum class Exchange : std::uint8_t {
    ReadArea,     // block reads
    WriteArea,    // block writes followed by block reads
    RequestReply, // empty request, reply carries `size` data bytes
    SendCommand,  // request carries `size` payload bytes, reply is a status
};

struct TransactionKindInfo {
    Exchange exchange;
    std::uint8_t command; // 0 for the area kinds: the area decides
    int successText;      // index into TransactionMessages
};
const TransactionKindInfo& kindInfo(TransactionKind kind);
bool isBlockTransfer(TransactionKind kind);

// Memory areas of the controller, 1..7. Other values exist only as invalid
// input, which a transfer refuses.
enum class FlashArea : std::uint8_t {
    Invalid = 0,
    Settings = 1,         // 5292 bytes: image offsets 0..5291
    Area2 = 2,            // not used by the tool
    Area3 = 3,            // not used by the tool
    ModesMemory = 4,      // 10 bytes: image offsets 5292..5301
    SystemParameters = 5, // 24 bytes: image offsets 5304..5327
    ControlPhones = 6,    // 18032 bytes: image offsets 5328..23359
    Area7 = 7,            // not used by the tool
};
constexpr int kFlashAreaCount = 7;

// Write command of an area; nullopt for an invalid area. The read command is
// always the write command plus one.
std::optional<std::uint8_t> flashWriteCommand(FlashArea area);
std::optional<std::uint8_t> flashReadCommand(FlashArea area);
bool isValidFlashArea(FlashArea area);
// The area whose write (or read) command `command` is; nullopt otherwise.
std::optional<FlashArea> areaOfWriteCommand(std::uint8_t command);
std::optional<FlashArea> areaOfReadCommand(std::uint8_t command);
