#pragma once
// The command line's face of the UI port: alerts go to stderr as
// "message: informative text", the hour-code sheet is answered from flags.

#include "ports/UiPort.h"

#include <ostream>

namespace rw::cli {

class CliUi : public UiPort {
public:
    explicit CliUi(std::ostream& err) : err_(err) {}
    void alert(const std::string& message, const std::string& informativeText) override {
        err_ << message << ": " << informativeText << "\n";
        ++alerts_;
    }
    void beep() override {}
    HourCodeAnswer askHourCode(const std::string&) override { return answer_; }

    void setHourCodeAnswer(HourCodeAnswer a) { answer_ = std::move(a); }
    int alertCount() const { return alerts_; }

private:
    std::ostream& err_;
    HourCodeAnswer answer_;
    int alerts_ = 0;
};

}  // namespace rw::cli
