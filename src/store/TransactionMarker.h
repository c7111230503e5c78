#pragma once
// The marker of a transaction: a magic number and version, the
// operation's kind and note, every change in order (a write with its
// bytes, a replace with the name its content is staged under, a delete),
// and a SHA-256 of all of it, so a marker damaged on the disk is known.
#include "store/Transaction.h"

#include <optional>
#include <vector>

namespace store::detail {

struct Marker {
    QString kind;
    QByteArray note;
    std::vector<Transaction::Change> changes;
};

QByteArray encodeMarker(const QString &kind, const QByteArray &note, const std::vector<Transaction::Change> &changes);
// Nothing unless every byte is as it was written: the hash at the end
// matches, every change has a known kind and a sound place, and nothing
// is left over.
std::optional<Marker> decodeMarker(const QByteArray &bytes);

} // namespace store::detail
