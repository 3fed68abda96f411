#include "link/param_commands.h"

#include <gtest/gtest.h>

#include <vector>

namespace quorvel {
namespace {

using Bytes = std::vector<uint8_t>;

class CapturingPort final : public Transmitter {
  public:
    void SendData(const uint8_t* data, size_t count) override {
        sent.emplace_back(data, data + count);
    }
    std::vector<Bytes> sent;
};

class ScriptedAnswer final : public Confirmation {
  public:
    explicit ScriptedAnswer(bool yes) : yes_(yes) {}
    bool AskYesNo(const std::string& text, const std::string& title) override {
        asked.push_back(title + "|" + text);
        return yes_;
    }
    std::vector<std::string> asked;

  private:
    bool yes_;
};

struct Commands {
    LinkState link;
    CapturingPort port;
    ParamCommands commands{link, port, RegionalSettings::Polish()};
    Commands() { link.Connected = true; }
};

const ParamField& Field(const char* name) {
    return *FindParamField(name);
}

TEST(ParamCommands, WriteButtons) {
    struct Case {
        const char* field;
        const char* text;
        Bytes sent;  // empty: nothing sent
        std::optional<std::string> shown;
        std::optional<FieldMark> mark;
    };
    const Case cases[] = {
        {"freq", "100", {0xFF, 0xFF, 0xFE, 0x10, 0x64, 0, 0, 0, 0xCB, 0x2D}, {}, {}},
        {"freq", "0", {0xFF, 0xFF, 0xFE, 0x10, 0x01, 0, 0, 0}, "1", FieldMark::Clamped},
        {"freq", "900", {0xFF, 0xFF, 0xFE, 0x10, 0xF4, 0x01, 0, 0}, "500", FieldMark::Clamped},
        {"fcon", "-5", {0xFF, 0xFF, 0xFE, 0x0E, 0x2C, 0x01, 0, 0}, "300", FieldMark::Clamped},
        {"favg", "1000", {0xFF, 0xFF, 0xFE, 0x0F, 0xE8, 0x03, 0, 0}, {}, {}},
        {"uart", "0", {0xFF, 0xFF, 0xFE, 0x11, 0, 0, 0, 0}, {}, {}},
        {"uart", "150", {0xFF, 0xFF, 0xFE, 0x11, 0x64, 0, 0, 0}, "100", FieldMark::Clamped},
        {"uart", "12x", {}, {}, FieldMark::NotANumber},
        {"uart", "99999999999", {}, {}, FieldMark::NotANumber},
        {"umin1", "1,5", {0xFF, 0xFF, 0xFE, 0x04, 0, 0, 0xC0, 0x3F, 0xF4, 0x0E}, {}, {}},
        {"umin1", "1.5", {}, {}, FieldMark::NotANumber},  // not the regional separator
        {"constm2", "12x", {}, {}, FieldMark::NotANumber},
        {"constm2", "1e39", {}, {}, FieldMark::NotANumber},  // beyond a float
        {"calib3", "-2,5", {0xFF, 0xFF, 0xFE, 0x03, 0, 0, 0x20, 0xC0}, {}, {}},
        {"calibm1", "0", {0xFF, 0xFF, 0xFE, 0x16, 0, 0, 0, 0}, {}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.field) + " " + c.text);
        Commands t;
        const FieldOutcome outcome = t.commands.WriteButtonClick(Field(c.field), c.text);
        EXPECT_EQ(outcome.text, c.shown);
        EXPECT_EQ(outcome.mark, c.mark);
        if (c.sent.empty()) {
            EXPECT_TRUE(t.port.sent.empty());
            EXPECT_EQ(t.link.Stats.TxFrames, 0u);
        } else {
            ASSERT_EQ(t.port.sent.size(), 1u);
            // Body as given; the checksum where the case spells it out.
            EXPECT_EQ(Bytes(t.port.sent[0].begin(), t.port.sent[0].begin() + c.sent.size()),
                      c.sent);
            EXPECT_EQ(t.port.sent[0].size(), 10u);
            EXPECT_EQ(t.link.Stats.TxFrames, 1u);
        }
    }
}

TEST(ParamCommands, ReadButtons) {
    Commands t;
    const FieldOutcome edit = t.commands.ReadButtonClick(Field("umin2"));
    EXPECT_EQ(edit.text, "");
    EXPECT_EQ(edit.mark, FieldMark::Window);
    const FieldOutcome list = t.commands.ReadButtonClick(Field("modem1"));
    EXPECT_FALSE(list.text.has_value());
    EXPECT_EQ(t.port.sent, (std::vector<Bytes>{{0xFF, 0xFF, 0xFD, 0x05, 0x80, 0x93},
                                               {0xFF, 0xFF, 0xFD, 0x12, 0xC0, 0x9D}}));
    EXPECT_EQ(t.link.Stats.TxFrames, 2u);
}

TEST(ParamCommands, NothingIsSentWhileDisconnected) {
    Commands t;
    t.link.Connected = false;
    ScriptedAnswer yes(true);
    EXPECT_EQ(t.commands.ReadButtonClick(Field("freq")).text, "");  // still cleared
    t.commands.WriteButtonClick(Field("freq"), "100");
    t.commands.WriteListButtonClick(Field("mode1"), 2);
    t.commands.SpeedButton1Click(yes);
    t.commands.SpeedButton2Click();
    t.commands.SpeedButton4Click();
    t.commands.SpeedButton5Click();
    EXPECT_TRUE(t.port.sent.empty());
    EXPECT_EQ(t.link.Stats.TxFrames, 0u);
    EXPECT_EQ(yes.asked.size(), 1u);  // the question is asked all the same
}

TEST(ParamCommands, ActionsAndLists) {
    Commands t;
    ScriptedAnswer no(false);
    ScriptedAnswer yes(true);
    t.commands.SpeedButton1Click(no);
    EXPECT_TRUE(t.port.sent.empty());
    t.commands.SpeedButton1Click(yes);
    EXPECT_EQ(yes.asked, std::vector<std::string>{
                             "Przywracanie ustawień domyślnych|Czy chcesz przeywrócić ustawienia "
                             "domyślne w urządzeniu"});
    t.commands.SpeedButton2Click();
    t.commands.SpeedButton4Click();
    t.commands.SpeedButton5Click();
    t.commands.WriteListButtonClick(Field("mode2"), 3);
    t.commands.WriteListButtonClick(Field("modem2"), -1);  // no item selected: nothing
    EXPECT_EQ(t.port.sent,
              (std::vector<Bytes>{{0xFF, 0xFF, 0xFE, 0x19, 0, 0, 0, 0, 0x08, 0x1C},
                                  {0xFF, 0xFF, 0xFD, 0x00, 0x40, 0x90},
                                  {0xFF, 0xFF, 0xFE, 0x1A, 0, 0, 0, 0, 0x4C, 0x1C},
                                  {0xFF, 0xFF, 0xFE, 0x1B, 0, 0, 0, 0, 0x71, 0xDC},
                                  {0xFF, 0xFF, 0xFE, 0x0D, 0x03, 0, 0, 0, 0x38, 0x5B}}));
    EXPECT_EQ(t.link.Stats.TxFrames, 5u);
}

TEST(ParamTable, MatchesTheModuleParameters) {
    ASSERT_EQ(ParamFields().size(), 23u);
    for (size_t i = 0; i < ParamFields().size(); ++i) {
        EXPECT_EQ(ParamFields()[i].code, i + 1);
        EXPECT_EQ(FindParamField(ParamFields()[i].code), &ParamFields()[i]);
    }
    EXPECT_EQ(FindParamField(pcFirmware), nullptr);
    EXPECT_EQ(FindParamField("nope"), nullptr);
    EXPECT_EQ(FunctionItems().size(), 15u);
    EXPECT_STREQ(FunctionItems()[11], "K-A2  ");
    EXPECT_STREQ(ModeItems()[2], "4~20mA");
}

}  // namespace
}  // namespace quorvel
