#pragma once
// The status texts of a transaction and the colour each is shown in. The
// table of twenty texts can be replaced entry by entry (the language file does
// this on the main window's copy); a transaction works on its own copy.
#include <QString>
#include <QStringList>
#include <Qt>

// Indices into the TransactionMessages table.
namespace TransactionText {
enum Index : int {
    CannotOpen = 0, // followed by the port name
    Identifying = 1,
    Writing = 2,
    PortError = 3, // followed by the port name
    Reading = 4,
    ProgrammingDone = 5,
    Mismatch = 6,
    DataRead = 7,
    DataEqual = 8,
    DataDiffer = 9,
    VersionRead = 10,
    DataSent = 11,
    RestartStarted = 12,
    NoCorrectReply = 13,
    NoReply = 14,
    TransferCode1 = 15,
    TransferCode2 = 16,
    TransferCode3 = 17,
    FlashError = 18,
    PasswordRequired = 19,
};
constexpr int kCount = 20;
} // namespace TransactionText

// The twenty texts in their original (Russian) wording.
QStringList DefaultTransactionMessages();
// Shown for a memory area outside 1..7; not part of the replaceable table.
QString FlashAreaIdErrorText();

// Black while work is in progress, blue for success, red for any error.
enum class StatusColour : int { Progress, Success, Error };
Qt::GlobalColor statusQtColour(StatusColour colour);
