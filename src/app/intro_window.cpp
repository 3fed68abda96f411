#include "app/intro_window.h"

#include <QBitmap>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>

#include "app/artwork.h"
#include "app/file_version.h"

namespace quorvel {
namespace {

constexpr int kSteps = 200;

// The splash picture: a rounded card on pure red, which the window mask makes see-through.
QPixmap SplashPicture() {
    QPixmap pixmap(437, 209);
    pixmap.fill(QColor(255, 0, 0));
    QPainter p(&pixmap);
    QPainterPath card;
    card.addRoundedRect(QRectF(0, 0, 437, 209), 18, 18);
    p.fillPath(card, QColor(245, 245, 242));
    p.drawPixmap(232, 20, BannerImage(190, 80));
    p.fillRect(QRect(0, 0, 437, 6), QColor(30, 23, 23));
    QFont font;
    font.setBold(true);
    font.setPixelSize(22);
    p.setFont(font);
    p.setPen(QColor(40, 44, 52));
    p.drawText(QRect(16, 20, 200, 30), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Quorvel Analog"));
    return pixmap;
}

QLabel* Warning(QWidget* parent, const char* name, const char* text, int x, int y, int w, int h) {
    auto* label = new QLabel(QString::fromUtf8(text), parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(x, y, w, h);
    label->setWordWrap(true);
    label->setStyleSheet(QStringLiteral("color: rgb(203, 29, 33); background: transparent;"));
    // Tahoma's width where there is no Tahoma: the warnings must fit their boxes.
    QFont font = label->font();
    font.setPixelSize(10);
    label->setFont(font);
    return label;
}

}  // namespace

TFIntro::TFIntro(QWidget& main, std::function<void()> quit)
    : QWidget(nullptr, Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::Tool),
      main_(main),
      quit_(std::move(quit)) {
    setObjectName(QStringLiteral("FIntro"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    const QFont font = ProgramFont(11);
    setFont(font);
    setFixedSize(437, 209);

    const QPixmap picture = SplashPicture();
    auto* image = new QLabel(this);
    image->setObjectName(QStringLiteral("Image1"));
    image->setGeometry(0, 0, 437, 209);
    image->setPixmap(picture);
    setMask(picture.createMaskFromColor(QColor(255, 0, 0), Qt::MaskInColor));

    QLabel* attention = Warning(this, "Label2", "UWAGA!!!", 16, 73, 160, 16);
    QFont bold = font;
    bold.setBold(true);
    attention->setFont(bold);
    Warning(this, "Label3",
            "Niepoprawne podłączenie może spowodować trwałe uszkodzenie urządzenie i/lub "
            "komputera PC",
            16, 92, 160, 39);
    Warning(this, "Label1",
            "Przed podłączeniem urządzenia należy zapoznać się z instrukcją obsługi", 16, 140, 184,
            26);
    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    ProgressBar1->setGeometry(16, 172, 169, 17);
    ProgressBar1->setRange(0, kSteps);
    ProgressBar1->setValue(0);
    ProgressBar1->setTextVisible(false);

    uint16_t major = 0, minor = 0, release = 0, build = 0;
    QueryFileVersion(major, minor, release, build);
    auto* version = new QLabel(QStringLiteral("wersja: %1.%2").arg(major).arg(minor), this);
    version->setObjectName(QStringLiteral("Label4"));
    version->setGeometry(312, 176, 110, 16);

    auto* close = new QPushButton(QStringLiteral("\u2715"), this);
    close->setObjectName(QStringLiteral("SpeedButton1"));
    close->setGeometry(406, 8, 23, 23);
    close->setFlat(true);
    close->setFocusPolicy(Qt::NoFocus);
    connect(close, &QPushButton::clicked, this, [this] { SpeedButton1Click(); });

    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        move(screen->geometry().center() - rect().center());
    }
    connect(&Timer1, &QTimer::timeout, this, [this] { Timer1Timer(); });
    Timer1.start(10);
    show();
    setFocus();
}

void TFIntro::Timer1Timer() {
    ++tickCount_;
    ProgressBar1->setValue(tickCount_);
    if (tickCount_ == kSteps) HandOver();
}

void TFIntro::HandOver() {
    Timer1.stop();
    main_.show();
    close();
}

void TFIntro::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) HandOver();
}

void TFIntro::SpeedButton1Click() {
    Timer1.stop();
    close();
    quit_();
}

}  // namespace quorvel
