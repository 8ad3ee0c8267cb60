#include "cardholders/CardholderIcons.h"

#include "cardholders/CardholderStore.h"

#include <QPainter>
#include <QPixmap>

namespace CardholderIcons {

namespace {

constexpr int kSize = 16;

QPixmap Blank()
{
    QPixmap pixmap(kSize, kSize);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

// A head and shoulders in the colour of the cardholder's state.
QIcon Person(const QColor& colour)
{
    QPixmap pixmap = Blank();
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::black);
    p.setBrush(colour);
    p.drawEllipse(5, 1, 6, 6);
    p.drawRoundedRect(2, 8, 12, 7, 3, 3);
    return QIcon(pixmap);
}

QIcon Folder(const QColor& colour)
{
    QPixmap pixmap = Blank();
    QPainter p(&pixmap);
    p.setPen(Qt::black);
    p.setBrush(colour);
    p.drawRect(1, 4, 14, 10);
    p.drawRect(1, 2, 6, 2);
    return QIcon(pixmap);
}

// A picture with a sign drawn over its corner.
QIcon WithSign(const QIcon& base, QChar sign, const QColor& colour)
{
    QPixmap pixmap = base.pixmap(kSize, kSize);
    QPainter p(&pixmap);
    QFont font = p.font();
    font.setBold(true);
    font.setPixelSize(10);
    p.setFont(font);
    p.setPen(colour);
    p.drawText(QRect(kSize / 2, kSize / 2, kSize / 2, kSize / 2), Qt::AlignCenter, QString(sign));
    return QIcon(pixmap);
}

// A card face in the colour of a credential's state.
QIcon Card(const QColor& colour)
{
    QPixmap pixmap = Blank();
    QPainter p(&pixmap);
    p.setPen(Qt::black);
    p.setBrush(colour);
    p.drawRoundedRect(1, 3, 14, 10, 2, 2);
    p.drawLine(3, 6, 12, 6);
    return QIcon(pixmap);
}

QIcon Transmitter()
{
    QPixmap pixmap = Blank();
    QPainter p(&pixmap);
    p.setPen(Qt::black);
    p.setBrush(QColor(80, 80, 80));
    p.drawRoundedRect(4, 4, 8, 11, 2, 2);
    p.drawLine(8, 4, 8, 0);
    p.setBrush(Qt::red);
    p.drawEllipse(6, 7, 4, 4);
    return QIcon(pixmap);
}

} // namespace

QList<QIcon> CredentialStatusImages()
{
    return {Card(QColor(200, 0, 0)), Card(QColor(0, 160, 0)), Card(Qt::white), WithSign(Card(Qt::gray), u'?', Qt::black)};
}

QIcon CredentialIcon(CredentialPicture picture)
{
    switch (picture) {
    case CardPicture:
        return Card(QColor(80, 120, 220));
    case TransmitterPicture:
        return Transmitter();
    case EntryCodePicture:
        return WithSign(Card(Qt::white), u'*', Qt::black);
    case DirectoryPicture:
        return ButtonIcon(DirectoryCodes);
    }
    return {};
}

QIcon TreeImage(int image)
{
    switch (image) {
    case CardholderImage::kActive:
        return Person(QColor(0, 160, 0));
    case CardholderImage::kExpired:
        return Person(Qt::gray);
    case CardholderImage::kSuspended:
        return Person(QColor(200, 0, 0));
    default:
        return Folder(QColor(240, 200, 80));
    }
}

QIcon ButtonIcon(Picture picture)
{
    switch (picture) {
    case AddCardholder:
        return WithSign(TreeImage(CardholderImage::kActive), u'+', Qt::blue);
    case DeleteCardholder:
        return WithSign(TreeImage(CardholderImage::kActive), u'x', Qt::red);
    case SuspendCardholder:
        return TreeImage(CardholderImage::kSuspended);
    case ActivateCardholder:
        return TreeImage(CardholderImage::kActive);
    case AddSet:
        return WithSign(TreeImage(CardholderImage::kSet), u'+', Qt::blue);
    case DeleteSet:
        return WithSign(TreeImage(CardholderImage::kSet), u'x', Qt::red);
    case SetNotSuspended:
        return Folder(QColor(0, 160, 0));
    case SetSuspended:
        return Folder(QColor(200, 0, 0));
    case DirectoryCodes:
        return WithSign(Folder(Qt::white), u'#', Qt::black);
    }
    return {};
}

} // namespace CardholderIcons
