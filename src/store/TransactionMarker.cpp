#include "store/TransactionMarker.h"

#include <QCryptographicHash>
#include <QDataStream>
#include <QIODevice>

namespace store::detail {

namespace {
constexpr quint32 kMagic = 0x42525458; // "BRTX"
constexpr quint16 kVersion = 1;
} // namespace

QByteArray encodeMarker(const QString &kind, const QByteArray &note, const std::vector<Transaction::Change> &changes)
{
    QByteArray body;
    QDataStream s(&body, QIODevice::WriteOnly);
    s.setVersion(QDataStream::Qt_6_0);
    s << kMagic << kVersion << kind << note << quint32(changes.size());
    for (const Transaction::Change &c : changes) {
        s << quint8(c.kind) << c.name << c.offset << c.newLength << c.staged;
        s << (c.kind == Transaction::Change::Write ? c.bytes : QByteArray());
    }
    return body + QCryptographicHash::hash(body, QCryptographicHash::Sha256);
}

std::optional<Marker> decodeMarker(const QByteArray &bytes)
{
    constexpr qsizetype kHash = 32;
    if (bytes.size() < kHash)
        return std::nullopt;
    const QByteArray body = bytes.left(bytes.size() - kHash);
    if (QCryptographicHash::hash(body, QCryptographicHash::Sha256) != bytes.right(kHash))
        return std::nullopt;
    QDataStream s(body);
    s.setVersion(QDataStream::Qt_6_0);
    quint32 magic = 0, count = 0;
    quint16 version = 0;
    Marker m;
    s >> magic >> version >> m.kind >> m.note >> count;
    if (magic != kMagic || version != kVersion || s.status() != QDataStream::Ok || count > quint32(body.size()))
        return std::nullopt;
    for (quint32 i = 0; i < count; ++i) {
        Transaction::Change c;
        quint8 kind = 0;
        s >> kind >> c.name >> c.offset >> c.newLength >> c.staged >> c.bytes;
        c.kind = Transaction::Change::Kind(kind);
        const bool known = kind >= Transaction::Change::Write && kind <= Transaction::Change::Remove;
        if (s.status() != QDataStream::Ok || !known || c.offset < 0 || c.newLength < 0 || c.name.isEmpty()
            || (c.kind == Transaction::Change::Replace && c.staged.isEmpty()))
            return std::nullopt;
        m.changes.push_back(std::move(c));
    }
    if (!s.atEnd())
        return std::nullopt;
    return m;
}

} // namespace store::detail
