#pragma once
// The status command: one status block read and described line by line.
#include <QStringList>

class TerminalHost;

// Reads the status block; false when the transaction failed.
bool ReadStatusReport(TerminalHost& host, QStringList& lines);
