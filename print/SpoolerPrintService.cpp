#include "print/SpoolerPrintService.h"

namespace parvelin::print {

namespace {

class SpoolerPrintService final : public PrintService {
public:
    std::chrono::milliseconds patience() const override { return std::chrono::seconds(8); }
    ServiceState state() override { return ServiceState::Answering; }
    MediaReport mediaOf(const std::string& /*queue*/) override {
        return {ServiceFault::Refused, "打印机的纸张由打印对话框选择", {}};
    }
    JobReport submit(const PrintRequest& /*request*/, JobProgress& /*progress*/) override {
        JobReport report;
        report.fault = ServiceFault::Refused;
        report.cause = "此系统不接受 PDF 打印文档";
        return report;
    }
};

} // namespace

std::shared_ptr<PrintService> spoolerPrintService() {
    return std::make_shared<SpoolerPrintService>();
}

} // namespace parvelin::print
