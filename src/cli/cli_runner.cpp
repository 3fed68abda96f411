#include "cli/cli_runner.h"

#include <algorithm>
#include <ostream>

#include "control/readouts.h"
#include "link/param_table.h"
#include "regional/number_text.h"
#include "serial/serial_driver.h"
#include "timing/hi_res_timer.h"

namespace quorvel {
namespace {

using SteadyClock = std::chrono::steady_clock;
constexpr auto kForever = SteadyClock::time_point::max();

// The factory-defaults question is the window's; on the command line the command itself
// is the answer.
class AnswerYes final : public Confirmation {
  public:
    bool AskYesNo(const std::string&, const std::string&) override { return true; }
};

SteadyClock::time_point DeadlineAfter(std::optional<double> seconds) {
    if (!seconds) return kForever;
    return SteadyClock::now() + std::chrono::duration_cast<SteadyClock::duration>(
                                    std::chrono::duration<double>(*seconds));
}

// A list field's value: its index, or an item's exact text.
std::optional<int> ListIndex(const ParamField& field, const std::string& value) {
    for (size_t i = 0; i < field.items.size(); ++i) {
        if (value == field.items[i]) return static_cast<int>(i);
    }
    const std::optional<int32_t> index = ParseInt32(value);
    if (index && *index >= 0 && static_cast<size_t>(*index) < field.items.size()) return *index;
    return std::nullopt;
}

std::string JoinedReadouts(Readouts& readouts, const MeasurementSet& m, int decimals,
                           const RegionalSettings& regional) {
    const auto texts = readouts.Texts(m, decimals, {}, regional);
    return texts[0] + '\t' + texts[1] + '\t' + texts[2] + '\t' + texts[3];
}

}  // namespace

std::atomic<bool> CliRunner::stopRequested_{false};

CliRunner::CliRunner(std::ostream& out, std::ostream& err, RegionalSettings regional,
                     const Clock& clock)
    : out_(out), err_(err), regional_(std::move(regional)) {
    ParamFieldSink& fields = *this;
    link_ = std::make_unique<DeviceLink>(loop_, fields, clock, regional_);
    link_->com.ShowErrorBox = [this](const std::string& message) { err_ << message << '\n'; };
    link_->connection.OnLinkLost = [this] { portLost_ = true; };
}

int CliRunner::Run(const std::vector<std::string>& args) {
    stopRequested_.store(false);
    const CliParse parse = ParseCommandLine(args);
    if (!parse.options) {
        err_ << "quorvel-cli: " << parse.error << '\n' << kCliUsage;
        return kExitUsage;
    }
    const CliOptions& o = *parse.options;
    decimals_ = o.decimals;
    switch (o.command) {
        case CliCommand::Ports:
            return Ports();
        case CliCommand::Monitor:
            return Monitor(o);
        case CliCommand::Record:
            return Record(o);
        case CliCommand::Get:
            return Get(o);
        case CliCommand::Set:
            return Set(o);
        case CliCommand::Action:
            return Action(o);
    }
    return kExitUsage;
}

int CliRunner::Ports() {
    link_->com.Update();
    for (int i = 0; i < link_->com.DeviceCount(); ++i) {
        const TscDevice* device = link_->com.GetDevice(i);
        const bool demo = device->PortName == kDemoPortName;
        out_ << device->NameFriendly << '\t'
             << (demo ? "built-in demo module" : SystemPortPath(device->PortName)) << '\n';
    }
    return kExitOk;
}

bool CliRunner::Connect(const std::string& port) {
    portName_ = port;
    link_->connection.RefreshPortList();
    int index = -1;
    for (int i = 0; i < link_->com.DeviceCount(); ++i) {
        if (link_->com.GetDevice(i)->NameFriendly == port) index = i;
    }
    if (index >= 0) {
        link_->com.SetDeviceIndex(index);
    } else {
        link_->com.SetPortPath(port);
    }
    link_->connection.ConnectButtonClick(port);
    if (link_->state.Connected) return true;
    // The component's message, its carriage return made a line break for the terminal.
    std::string message = link_->connection.LastConnectError();
    for (size_t at = message.find('\r'); at != std::string::npos; at = message.find('\r', at + 2)) {
        message.insert(at + 1, "\n");
    }
    err_ << message << '\n';
    return false;
}

void CliRunner::Serve(SteadyClock::time_point deadline, const std::function<bool()>& done) {
    while (!done() && !stopRequested_.load() && !portLost_ && SteadyClock::now() < deadline) {
        loop_.RunUntil(std::min(deadline, SteadyClock::now() + std::chrono::milliseconds(20)));
    }
}

void CliRunner::Finish() {
    // The port takes the bytes over at once; let them leave before closing drops them.
    const auto limit = SteadyClock::now() + std::chrono::seconds(2);
    while (link_->state.Connected && link_->com.NotYetSend() > 0 && SteadyClock::now() < limit) {
        loop_.RunFor(std::chrono::milliseconds(5));
    }
    if (link_->state.Connected) link_->connection.ConnectButtonClick(portName_);
    const LinkStats& stats = link_->state.Stats;
    out_ << "rx=" << stats.RxFrames << " tx=" << stats.TxFrames << " err=" << stats.ErrorFrames
         << '\n';
}

int CliRunner::FinishStream(const std::string& port) {
    Finish();
    if (!portLost_) return kExitOk;
    err_ << "quorvel-cli: " << port << ": port lost\n";
    return kExitNoPort;
}

int CliRunner::Monitor(const CliOptions& o) {
    if (!Connect(o.port)) return kExitNoPort;
    Readouts readouts;
    THiResTimer show(loop_, 0.04);
    show.SetNeedSynchronization(true);
    show.SetOnTimer([&](THiResTimer&) {
        if (link_->state.Connected) {
            out_ << JoinedReadouts(readouts, link_->measurements, o.decimals, regional_) << '\n';
        }
    });
    Serve(DeadlineAfter(o.seconds), [] { return false; });
    show.Stop();
    return FinishStream(o.port);
}

int CliRunner::Record(const CliOptions& o) {
    CsvRecorder& recorder = link_->recorder;
    recorder.Options() = o.recorder;
    recorder.file_name_editChange(o.file);
    recorder.file_cntChange(o.splitIndex);
    if (!Connect(o.port)) return kExitNoPort;
    recorder.save_buttonClick();
    uint64_t frames = 0;
    link_->OnMeasurement = [&](const MeasurementSet&) {
        // The frame that completes the count is the last one recorded, even when more
        // came in the same delivery.
        if (o.frames && ++frames == *o.frames && recorder.RecordingActive()) {
            recorder.save_buttonClick();
        }
    };
    THiResTimer flush(loop_, 1.0);
    flush.SetNeedSynchronization(true);
    flush.SetOnTimer([&](THiResTimer&) { recorder.FlushTick(); });
    Serve(DeadlineAfter(o.seconds), [&] { return o.frames && frames >= *o.frames; });
    flush.Stop();
    link_->OnMeasurement = nullptr;
    if (recorder.RecordingActive()) recorder.save_buttonClick();
    return FinishStream(o.port);
}

int CliRunner::Get(const CliOptions& o) {
    std::vector<ParamCode> codes;
    for (const std::string& name : o.names) {
        const ParamField* field = FindParamField(name);
        if (name == "firmware") {
            codes.push_back(pcFirmware);
        } else if (field != nullptr && field->readButton != nullptr) {
            codes.push_back(field->code);
        } else {
            err_ << name << ": cannot be read\n";
            return kExitUsage;
        }
    }
    if (!Connect(o.port)) return kExitNoPort;
    answers_.clear();
    for (ParamCode code : codes) link_->commands.ReadParam(code);
    const auto answered = [&] {
        return std::all_of(codes.begin(), codes.end(),
                           [&](ParamCode code) { return answers_.count(code) > 0; });
    };
    Serve(SteadyClock::now() + std::chrono::milliseconds(o.timeoutMs), answered);
    int exit = kExitOk;
    for (size_t i = 0; i < codes.size(); ++i) {
        const auto answer = answers_.find(codes[i]);
        if (answer == answers_.end()) {
            err_ << o.names[i] << ": no answer\n";
            exit = kExitNoAnswer;
        } else {
            out_ << o.names[i] << '=' << answer->second << '\n';
        }
    }
    Finish();
    return exit;
}

int CliRunner::Set(const CliOptions& o) {
    struct Write {
        const ParamField* field;
        std::string value;
        std::string sent;
        bool clamped;
    };
    std::vector<Write> writes;
    // Every value is checked before anything is sent.
    for (const auto& [name, value] : o.assignments) {
        const ParamField* field = FindParamField(name);
        if (field == nullptr) {
            err_ << name << ": unknown parameter\n";
            return kExitUsage;
        }
        if (field->kind == FieldKind::List) {
            const std::optional<int> index = ListIndex(*field, value);
            if (!index) {
                err_ << name << ": not in the list\n";
                return kExitUsage;
            }
            writes.push_back({field, std::to_string(*index), std::to_string(*index), false});
            continue;
        }
        const ParamKind kind = field->kind == FieldKind::Integer ? pkInteger : pkFloat;
        const FieldEntry entry = CheckFieldText(value, kind, field->lower, field->upper, regional_);
        if (entry.status == FieldEntry::NotANumber) {
            err_ << name << ": not a number\n";
            return kExitUsage;
        }
        const std::string sent = kind == pkInteger
                                     ? std::to_string(static_cast<uint32_t>(entry.integer))
                                     : FormatShortest(entry.real, regional_);
        writes.push_back({field, value, sent, entry.status == FieldEntry::Clamped});
    }
    if (!Connect(o.port)) return kExitNoPort;
    for (const Write& w : writes) {
        if (w.field->kind == FieldKind::List) {
            link_->commands.WriteListButtonClick(*w.field, std::stoi(w.value));
        } else {
            link_->commands.WriteButtonClick(*w.field, w.value);
        }
        out_ << w.field->name << '=' << w.sent << (w.clamped ? " (clamped)" : "") << '\n';
    }
    Finish();
    return kExitOk;
}

int CliRunner::Action(const CliOptions& o) {
    const std::string& a = o.action;
    if (a != "factory-defaults" && a != "input1-defaults" && a != "input2-defaults" &&
        a != "measure") {
        err_ << "quorvel-cli: unknown action " << a << '\n' << kCliUsage;
        return kExitUsage;
    }
    if (!Connect(o.port)) return kExitNoPort;
    int exit = kExitOk;
    if (a == "factory-defaults") {
        AnswerYes yes;
        link_->commands.SpeedButton1Click(yes);
    } else if (a == "input1-defaults") {
        link_->commands.SpeedButton4Click();
    } else if (a == "input2-defaults") {
        link_->commands.SpeedButton5Click();
    } else {
        // The answer is one measurement frame, printed as the monitor prints one.
        bool measured = false;
        Readouts readouts;
        link_->OnMeasurement = [&](const MeasurementSet& m) {
            if (!measured) out_ << JoinedReadouts(readouts, m, o.decimals, regional_) << '\n';
            measured = true;
        };
        link_->commands.SpeedButton2Click();
        Serve(SteadyClock::now() + std::chrono::milliseconds(o.timeoutMs),
              [&] { return measured; });
        link_->OnMeasurement = nullptr;
        if (!measured) {
            err_ << "measure: no answer\n";
            exit = kExitNoAnswer;
        }
    }
    Finish();
    return exit;
}

void CliRunner::ShowParamText(ParamCode code, const std::string& text) {
    answers_[code] = text;
}

void CliRunner::SelectParamItem(ParamCode code, uint32_t index) {
    // An index the list does not have leaves the window's list with no selection.
    const ParamField* field = FindParamField(code);
    answers_[code] = field != nullptr && index < field->items.size() ? field->items[index] : "";
}

void CliRunner::ShowFirmware(const std::string& text) {
    answers_[pcFirmware] = text;
}

}  // namespace quorvel
