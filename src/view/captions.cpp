#include "view/captions.h"

namespace quorvel {

QString ChannelBaseName(int channel) {
    static const char* const kNames[4] = {"Wejście 1", "Wejście 2", "Funkcja 1", "Funkcja 2"};
    return QString::fromUtf8(kNames[channel]);
}

QString ShortenCaption(const QString& text, int n) {
    if (text.size() <= n) return text;
    return text.left(n - 4) + QStringLiteral("...") + text.right(1);
}

QString ChannelSuffix(const QString& name, int n) {
    if (name.isEmpty()) return QString();
    return QStringLiteral(" [") + ShortenCaption(name, n) + QStringLiteral("]");
}

ChannelCaptions CaptionsFor(const QString& baseName, const QString& channelName) {
    return ChannelCaptions{
        baseName + ChannelSuffix(channelName, 42),
        QStringLiteral("Pokaż w programie wielkość: ") + baseName + ChannelSuffix(channelName, 16),
        QStringLiteral("Zapisz wartość ") + baseName + ChannelSuffix(channelName, 11),
        baseName + ChannelSuffix(channelName, 14),
    };
}

}  // namespace quorvel
