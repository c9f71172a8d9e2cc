#include "link/identification.h"

#include "link/run_transaction.h"
#include "link/tread_data.h"

IdentifyOutcome CheckIdentity(const DeviceIdentity& identity) {
    if (!IsDeviceSupported(identity))
        return IdentifyOutcome::DeviceNotSupported;
    if (!IsVersionSupported(identity))
        return IdentifyOutcome::VersionNotSupported;
    return IdentifyOutcome::Supported;
}

IdentifyResult IdentifyAndCheck(const QString& portName, IdentificationSink& sink,
                                const IdentifyOptions& options) {
    DeviceIdBlock block;
    TReadData transaction(TransactionKind::Identify, block.bytes.data(), kDeviceIdBlockSize,
                          portName);
    if (!options.messages.isEmpty())
        transaction.setMessages(options.messages);
    if (options.channelFactory)
        transaction.setChannelFactory(options.channelFactory);
    const int rc = RunAndWait(transaction, [&sink](const QString& text, StatusColour colour) {
        sink.showStatus(text, colour);
    });

    IdentifyResult r;
    r.transactionText = transaction.lastText();
    r.transactionColour = transaction.lastColour();
    if (rc != 0) {
        r.identity = ParseDeviceId(DeviceIdBlock::placeholder());
        sink.showIdentification(r.identity);
        r.outcome = IdentifyOutcome::NoIdentification;
        return r;
    }
    r.identity = ParseDeviceId(block);
    sink.showIdentification(r.identity);
    r.outcome = CheckIdentity(r.identity);
    const StatusColour refusal = options.refusalInRed ? StatusColour::Error : r.transactionColour;
    if (r.outcome == IdentifyOutcome::DeviceNotSupported)
        sink.showRefusal(r.outcome, DeviceNotSupportedText(r.identity.deviceName), refusal);
    else if (r.outcome == IdentifyOutcome::VersionNotSupported)
        sink.showRefusal(r.outcome, VersionNotSupportedText(r.identity.versionString()), refusal);
    return r;
}
