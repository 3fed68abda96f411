#include "view/captions.h"

#include <gtest/gtest.h>

namespace quorvel {
namespace {

TEST(Captions, ChannelNameInEveryCaption) {
    const QString base = QStringLiteral("Wejście 1");
    const ChannelCaptions named = CaptionsFor(base, QStringLiteral("Temperatura zewnętrzna"));
    EXPECT_EQ(named.readout, QStringLiteral("Wejście 1 [Temperatura zewnętrzna]"));
    EXPECT_EQ(named.show,
              QStringLiteral("Pokaż w programie wielkość: Wejście 1 [Temperatura ...a]"));
    EXPECT_EQ(named.record, QStringLiteral("Zapisz wartość Wejście 1 [Tempera...a]"));
    EXPECT_EQ(named.series, QStringLiteral("Wejście 1 [Temperatur...a]"));

    const ChannelCaptions empty = CaptionsFor(base, QString());
    EXPECT_EQ(empty.record, QStringLiteral("Zapisz wartość Wejście 1"));
    EXPECT_EQ(empty.series, base);
    EXPECT_EQ(CaptionsFor(base, QStringLiteral("X")).series, QStringLiteral("Wejście 1 [X]"));
    EXPECT_EQ(CaptionsFor(base, QStringLiteral("  ")).readout, QStringLiteral("Wejście 1 [  ]"));
}

TEST(Captions, ShortenAtTheLimit) {
    EXPECT_EQ(ShortenCaption(QStringLiteral("12345678901"), 11), QStringLiteral("12345678901"));
    EXPECT_EQ(ShortenCaption(QStringLiteral("123456789012"), 11), QStringLiteral("1234567...2"));
    // Lengths in UTF-16 units: an emoji counts two.
    const QString emoji = QString::fromUtf8("\xF0\x9F\x98\x80");
    EXPECT_EQ(ShortenCaption(QStringLiteral("abcdefghi") + emoji, 11).size(), 11);
}

}  // namespace
}  // namespace quorvel
