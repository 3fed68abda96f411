#pragma once

#include <QString>

namespace quorvel {

// Lengths count UTF-16 code units, as QString stores text.

// The fixed base name of channel 0..3: "Wejście 1", "Wejście 2", "Funkcja 1", "Funkcja 2".
QString ChannelBaseName(int channel);

// The text itself when it has at most n characters; otherwise its first n - 4 characters,
// "...", and its last character: exactly n characters.
QString ShortenCaption(const QString& text, int n);

// "" for an empty channel name, otherwise " [" + the name shortened to n + "]".
QString ChannelSuffix(const QString& name, int n);

// The four captions of one channel, from its base name ("Wejście 1") and channel name.
struct ChannelCaptions {
    QString readout;  // above the readout
    QString show;     // the show option
    QString record;   // the record option
    QString series;   // the chart series title and legend
};
ChannelCaptions CaptionsFor(const QString& baseName, const QString& channelName);

}  // namespace quorvel
