#include "settings/app_options.h"

#include <algorithm>
#include <cmath>

#include "regional/number_text.h"

namespace quorvel {
namespace {

// The keys in table order, with the values a new file gets.
constexpr std::array<std::pair<const char*, const char*>, 38> kDefaults = {{
    {"Ch1Unit", ""},       {"Ch2Unit", ""},
    {"Fx1Unit", ""},       {"Fx2Unit", ""},
    {"Ch1Name", ""},       {"Ch2Name", ""},
    {"Fx1Name", ""},       {"Fx2Name", ""},
    {"Ch1Show", "1"},      {"Ch2Show", "1"},
    {"Fx1Show", "1"},      {"Fx2Show", "1"},
    {"DecPoint1", "2"},    {"DecPoint2", "2"},
    {"ScreenTop", "10"},   {"ScreenLeft", "10"},
    {"StartWidth", "0"},   {"SaveStart", "0"},
    {"SaveDate", "1"},     {"SaveTime", "1"},
    {"SaveCnt", "1"},      {"SaveCh1", "1"},
    {"SaveCh2", "1"},      {"SaveFx1", "1"},
    {"SaveFx2", "1"},      {"FileName", "pomiary.csv"},
    {"CutFile", "0"},      {"ClearCnt", "0"},
    {"CutCnt", "3"},       {"Position1", "0"},
    {"Position2", "1"},    {"Position3", "2"},
    {"Position4", "3"},    {"ShowBaner", "1"},
    {"ShowHint", "1"},     {"ChartYmin", "-100"},
    {"ChartYmax", "1000"}, {"ChartTime", "10"},
}};

constexpr const char* kUnitKeys[4] = {"Ch1Unit", "Ch2Unit", "Fx1Unit", "Fx2Unit"};
constexpr const char* kNameKeys[4] = {"Ch1Name", "Ch2Name", "Fx1Name", "Fx2Name"};
constexpr const char* kShowKeys[4] = {"Ch1Show", "Ch2Show", "Fx1Show", "Fx2Show"};
constexpr const char* kSaveKeys[7] = {"SaveDate", "SaveTime", "SaveCnt", "SaveCh1",
                                      "SaveCh2",  "SaveFx1",  "SaveFx2"};
constexpr const char* kPositionKeys[4] = {"Position1", "Position2", "Position3", "Position4"};
constexpr int32_t kDaySeconds = 86400;

class Reader {
  public:
    Reader(const ProfileFile& file) : file_(file) {}
    std::string Text(const char* key, const std::string& fallback) {
        return file_.ReadString(kOptionsSection, key, fallback);
    }
    int32_t Integer(const char* key, int32_t fallback) {
        return file_.ReadInteger(kOptionsSection, key, fallback);
    }
    bool Flag(const char* key, bool fallback) { return Integer(key, fallback ? 1 : 0) != 0; }

  private:
    const ProfileFile& file_;
};

class Writer {
  public:
    Writer(ProfileFile& file) : file_(file) {}
    void Text(const char* key, const std::string& value) {
        ok_ = ok_ && file_.WriteString(kOptionsSection, key, value);
    }
    void Integer(const char* key, int32_t value) { Text(key, std::to_string(value)); }
    void Flag(const char* key, bool value) { Integer(key, value ? 1 : 0); }
    bool Ok() const { return ok_; }

  private:
    ProfileFile& file_;
    bool ok_ = true;
};

std::string Limit(int32_t hundredths, const RegionalSettings& regional) {
    return FormatFixed(hundredths / 100.0, 2, regional);
}

}  // namespace

bool LoadOptions(ProfileFile& file, const RegionalSettings& regional, AppOptions& o) {
    if (!file.Exists()) {
        Writer create(file);
        for (const auto& [key, value] : kDefaults) create.Text(key, value);
        if (!create.Ok()) return false;
    }
    const AppOptions defaults;
    Reader r(file);
    for (int i = 0; i < 4; ++i) o.units[i] = r.Text(kUnitKeys[i], "");
    for (int i = 0; i < 4; ++i) o.names[i] = r.Text(kNameKeys[i], "");
    for (int i = 0; i < 4; ++i) o.show[i] = r.Flag(kShowKeys[i], true);
    o.decPoint1 = r.Integer("DecPoint1", defaults.decPoint1);
    o.decPoint2 = r.Integer("DecPoint2", defaults.decPoint2);
    o.screenTop = r.Integer("ScreenTop", defaults.screenTop);
    o.screenLeft = r.Integer("ScreenLeft", defaults.screenLeft);
    o.startWidth = r.Flag("StartWidth", defaults.startWidth);
    o.saveStart = r.Flag("SaveStart", defaults.saveStart);
    for (int i = 0; i < 7; ++i) o.saveColumns[i] = r.Flag(kSaveKeys[i], true);
    o.fileName = r.Text("FileName", defaults.fileName);
    o.cutFile = r.Flag("CutFile", defaults.cutFile);
    o.clearCnt = r.Flag("ClearCnt", defaults.clearCnt);
    o.cutCnt = r.Integer("CutCnt", defaults.cutCnt);
    for (int i = 0; i < 4; ++i) o.positions[i] = r.Integer(kPositionKeys[i], defaults.positions[i]);
    o.showBaner = r.Flag("ShowBaner", defaults.showBaner);
    o.showHint = r.Flag("ShowHint", defaults.showHint);
    o.chartYmin = Limit(r.Integer("ChartYmin", 0), regional);
    o.chartYmax = Limit(r.Integer("ChartYmax", 0), regional);
    o.chartTime = r.Integer("ChartTime", defaults.chartTime);
    // A time of day cannot hold a day or more, nor less than nothing.
    if (o.chartTime < 0 || o.chartTime >= kDaySeconds) o.chartTime = defaults.chartTime;
    return true;
}

bool SaveOptions(ProfileFile& file, const RegionalSettings& regional, const AppOptions& o) {
    Writer w(file);
    for (int i = 0; i < 4; ++i) w.Text(kUnitKeys[i], o.units[i]);
    for (int i = 0; i < 4; ++i) w.Text(kNameKeys[i], o.names[i]);
    for (int i = 0; i < 4; ++i) w.Flag(kShowKeys[i], o.show[i]);
    w.Integer("DecPoint1", o.decPoint1);
    w.Integer("DecPoint2", o.decPoint2);
    w.Integer("ScreenTop", o.screenTop);
    w.Integer("ScreenLeft", o.screenLeft);
    w.Flag("StartWidth", o.startWidth);
    w.Flag("SaveStart", o.saveStart);
    for (int i = 0; i < 7; ++i) w.Flag(kSaveKeys[i], o.saveColumns[i]);
    w.Text("FileName", o.fileName);
    w.Flag("CutFile", o.cutFile);
    w.Flag("ClearCnt", o.clearCnt);
    w.Integer("CutCnt", o.cutCnt);
    for (int i = 0; i < 4; ++i) w.Integer(kPositionKeys[i], o.positions[i]);
    w.Flag("ShowBaner", o.showBaner);
    w.Flag("ShowHint", o.showHint);
    w.Integer("ChartTime", o.chartTime);
    const std::optional<double> low = ParseFloat(o.chartYmin, regional);
    const std::optional<double> high = ParseFloat(o.chartYmax, regional);
    const auto hundredths = [](double v) {
        const double t = std::trunc(v * 100);
        return static_cast<int32_t>(std::clamp(t, double(INT32_MIN), double(INT32_MAX)));
    };
    if (low) w.Integer("ChartYmin", hundredths(*low));
    if (low && high) {
        w.Integer("ChartYmax", hundredths(*high));
    } else {
        w.Integer("ChartYmin", -1);
        w.Integer("ChartYmax", 1);
    }
    return w.Ok();
}

}  // namespace quorvel
