#pragma once
// What the controller received during a device operation, one readable word a
// mode switch or frame: "mode", "id", "password=1234", "write1@256+256",
// "read4@0+10", "restart", "apply", ... so whole transaction sequences can be
// compared at a glance. Built from the in-memory device's log or from the
// simulator's log file.
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <vector>

class SimDevice;

// One word for a received frame (whole frame, header to check byte).
QString FrameWord(const QByteArray& frame);
// The words of everything the in-memory device received, in order.
QStringList DeviceTrace(const SimDevice& device);
// The same from the lines of rzn460-sim's --log file.
QStringList LogTrace(const QStringList& logLines);

// The words of a whole block transfer of `size` bytes of `area`:
// "write<area>@<address>+<count>" or "read<area>@<address>+<count>" per block.
QStringList BlockWords(const char* direction, int area, int size);
