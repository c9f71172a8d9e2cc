#include "ops/system_parameter_transfers.h"

#include "config/image_layout.h"
#include "link/identification.h"
#include "ops/transfer_steps.h"

#include <array>
#include <cstring>

namespace ops {

namespace {

constexpr int kSize = static_cast<int>(layout::kSystemParametersSize);

// Identification texts go to the page, except that an unknown device is
// reported on the root page's status line.
class PageIdentificationSink : public IdentificationSink {
public:
    PageIdentificationSink(OperationHost& host, SystemParametersView& page)
        : host_(host), page_(page) {}
    void showStatus(const QString& text, StatusColour colour) override {
        page_.showStatus(text, colour);
    }
    void showIdentification(const DeviceIdentity& identity) override {
        host_.showIdentification(identity);
    }
    void showRefusal(IdentifyOutcome why, const QString& text, StatusColour colour) override {
        if (why == IdentifyOutcome::DeviceNotSupported)
            host_.showStatus(text, colour);
        else
            page_.showStatus(text, colour);
    }

private:
    OperationHost& host_;
    SystemParametersView& page_;
};

StatusHandler pageStatus(SystemParametersView& page) {
    return [&page](const QString& text, StatusColour colour) { page.showStatus(text, colour); };
}

ProgressHandler pageProgress(SystemParametersView& page) {
    return [&page](int position, int maximum) { page.showProgress(position, maximum); };
}

// Stop monitoring, identify and log in; false when the transfer must end.
// The busy state keeps the window from closing while the line is in use; the
// page stays on screen.
bool begin(OperationHost& host, SystemParametersView& page, bool storeFirst) {
    host.setBusy(true);
    host.stopMonitoring();
    PageIdentificationSink sink(host, page);
    IdentifyOptions options;
    options.messages = host.transactionMessages();
    options.channelFactory = host.channelFactory();
    if (!IdentifyAndCheck(host.portName(), sink, options).supported())
        return false;
    if (storeFirst) {
        // The edits go into the image, and the page shows exactly what is stored.
        page.storePage();
        page.loadPage();
    }
    return LogIn(host, AdministratorPassword(host.image()), pageStatus(page)) == 0;
}

} // namespace

bool ReadSystemParameters(OperationHost& host, SystemParametersView& page) {
    bool ok = false;
    if (begin(host, page, false)) {
        page.storePage();
        std::array<std::uint8_t, layout::kSystemParametersSize> buffer{};
        if (RunBlockTransfer(host, TransactionKind::ReadArea, FlashArea::SystemParameters,
                             buffer.data(), kSize, pageStatus(page), pageProgress(page)) == 0) {
            std::memcpy(host.image().data() + layout::kSystemParametersOffset, buffer.data(),
                        buffer.size());
            page.enableProgramming();
            page.loadPage();
            ok = true;
        }
    }
    Epilogue(host);
    return ok;
}

bool ProgramSystemParameters(OperationHost& host, SystemParametersView& page) {
    bool ok = false;
    if (begin(host, page, true)) {
        ok = RunBlockTransfer(host, TransactionKind::WriteVerify, FlashArea::SystemParameters,
                              host.image().data() + layout::kSystemParametersOffset, kSize,
                              pageStatus(page), pageProgress(page)) == 0;
    }
    Epilogue(host);
    return ok;
}

} // namespace ops
