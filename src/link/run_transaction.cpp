#include "link/run_transaction.h"

#include "link/tread_data.h"

#include <QEventLoop>
#include <QObject>

int RunAndWait(TReadData& transaction) {
    return RunAndWait(transaction, {}, {});
}

int RunAndWait(TReadData& transaction, const StatusHandler& onStatus,
               const ProgressHandler& onProgress) {
    QEventLoop loop;
    // The loop lives on this thread, so these connections are queued: every
    // update is delivered here, before the queued `finished` that ends the loop.
    if (onStatus)
        QObject::connect(&transaction, &TReadData::statusChanged, &loop, onStatus,
                         Qt::QueuedConnection);
    if (onProgress)
        QObject::connect(&transaction, &TReadData::progressChanged, &loop, onProgress,
                         Qt::QueuedConnection);
    QObject::connect(&transaction, &QThread::finished, &loop, &QEventLoop::quit,
                     Qt::QueuedConnection);
    transaction.start(QThread::NormalPriority);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    transaction.wait();
    return transaction.result();
}
