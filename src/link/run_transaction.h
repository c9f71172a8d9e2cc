#pragma once
// Starting a transaction and waiting for it without starving the caller's
// thread: the wait is a local QEventLoop that excludes user input and quits on
// `finished`, so queued status texts and progress keep reaching the screen (or
// the monitoring thread's own handlers) while the exchange runs. Never wait for
// a transaction with QThread::wait() alone from a thread that receives its
// signals.
#include "link/transaction_messages.h"

#include <QString>
#include <functional>

class TReadData;

// Starts `transaction` at normal priority and returns its result (0 success,
// 1 failure) once it has ended.
int RunAndWait(TReadData& transaction);

// The same, delivering the status texts and progress to these handlers on the
// calling thread, in order, while the transaction runs.
using StatusHandler = std::function<void(const QString& text, StatusColour colour)>;
using ProgressHandler = std::function<void(int position, int maximum)>;
int RunAndWait(TReadData& transaction, const StatusHandler& onStatus,
               const ProgressHandler& onProgress = {});
