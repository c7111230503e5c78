#include "backup/Archive.h"

#include "base/ValueList.h"
#include "store/StoreSystem.h"

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>

#include <archive.h>
#include <archive_entry.h>
#include <memory>
#include <unistd.h>

namespace backup {

namespace {

constexpr qsizetype kChunk = 1 << 18;
const QString kPrefix = QStringLiteral("Brenvoy-");
const QString kPartial = QStringLiteral(".partial");

struct WriteDeleter {
    void operator()(archive *a) const { archive_write_free(a); }
};
struct ReadDeleter {
    void operator()(archive *a) const { archive_read_free(a); }
};
struct EntryDeleter {
    void operator()(archive_entry *e) const { archive_entry_free(e); }
};
using Writer = std::unique_ptr<archive, WriteDeleter>;
using Reader = std::unique_ptr<archive, ReadDeleter>;
using Entry = std::unique_ptr<archive_entry, EntryDeleter>;

QString errorOf(archive *a)
{
    const char *text = archive_error_string(a);
    return text ? QString::fromLocal8Bit(text) : QStringLiteral("the archive library gave no reason");
}

// What is archived: every file and folder of the data folder but the
// archives themselves, the lock of the running copy and the transaction
// folder's scratch space (an unfinished change is finished at the start,
// before a backup can be asked for).
struct Content {
    QStringList folders;
    QStringList files;
    qint64 bytes = 0;
};

Content contentOf(const QString &root, const QString &archives)
{
    Content c;
    const QString skipArchives = QDir::cleanPath(archives) + u'/';
    QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString full = it.next();
        const QFileInfo info = it.fileInfo();
        const QString rel = full.mid(root.size() + 1);
        if ((QDir::cleanPath(full) + u'/').startsWith(skipArchives) || rel == QLatin1String("Transaction") || rel.startsWith(QLatin1String("Transaction/"))
            || rel == QLatin1String("Brenvoy.lock") || rel.startsWith(QLatin1String("Brenvoy.lock.")) || info.isSymLink())
            continue;
        if (info.isDir())
            c.folders.append(rel);
        else if (info.isFile()) {
            c.files.append(rel);
            c.bytes += info.size();
        }
    }
    c.folders.sort();
    c.files.sort();
    return c;
}

int customersIn(const QString &root)
{
    return int(QFileInfo(root + QStringLiteral("/CustomerData.txt")).size() / 328);
}

int ledgersIn(const QString &root)
{
    return int(QDir(root + QStringLiteral("/BVActiveAccounts")).entryList({QStringLiteral("*.txt")}, QDir::Files).size());
}

Entry entryFor(const QString &path, bool folder, qint64 size, const QDateTime &when)
{
    Entry e(archive_entry_new());
    archive_entry_set_pathname_utf8(e.get(), path.toUtf8().constData());
    archive_entry_set_filetype(e.get(), folder ? AE_IFDIR : AE_IFREG);
    archive_entry_set_perm(e.get(), folder ? 0755 : 0644);
    archive_entry_set_size(e.get(), folder ? 0 : size);
    archive_entry_set_mtime(e.get(), when.toSecsSinceEpoch(), 0);
    return e;
}

// One file into the archive, hashed as it goes; its manifest line, or the
// reason it could not be written.
std::variant<ManifestFile, QString> addFile(archive *a, const QString &root, const QString &rel, QByteArray &buffer,
                                           const std::function<void(qint64)> &moved)
{
    QFile f(root + u'/' + rel);
    if (!f.open(QIODevice::ReadOnly))
        return QStringLiteral("%1 could not be read (%2)").arg(rel, f.errorString());
    const qint64 size = f.size();
    Entry e = entryFor(rel, false, size, QFileInfo(f).lastModified());
    if (archive_write_header(a, e.get()) != ARCHIVE_OK)
        return errorOf(a);
    QCryptographicHash hash(QCryptographicHash::Sha256);
    qint64 total = 0;
    for (qint64 n; (n = f.read(buffer.data(), buffer.size())) > 0; total += n) {
        hash.addData(QByteArrayView(buffer.constData(), n));
        if (archive_write_data(a, buffer.constData(), size_t(n)) != n)
            return errorOf(a);
        moved(n);
    }
    if (total != size)
        return QStringLiteral("%1 changed while it was being archived").arg(rel);
    return ManifestFile{rel, size, hash.result().toHex()};
}

bool syncFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadWrite) && ::fsync(f.handle()) == 0;
}

QString stamp(const QDateTime &when)
{
    return when.toString(QStringLiteral("yyyy-MM-dd-HHmmss"));
}

// The archive written to a partial name; the manifest, or the reason.
std::variant<Manifest, QString> writeArchive(const store::FileStore &store, const QString &target, const QString &archives,
                                             const QDateTime &now, const QString &version, const Progress &progress)
{
    const QString root = store.programFolder();
    const Content content = contentOf(root, archives);
    Writer a(archive_write_new());
    archive_write_set_format_zip(a.get());
    // The fastest deflate: a backup at every end must not keep the user
    // waiting, and the fixed-length records compress well at any level.
    archive_write_set_options(a.get(), "zip:compression-level=1");
    if (archive_write_open_filename(a.get(), QFile::encodeName(target).constData()) != ARCHIVE_OK)
        return errorOf(a.get());
    Manifest m;
    m.version = version;
    m.made = now;
    m.customers = customersIn(root);
    m.ledgers = ledgersIn(root);
    for (qsizetype i = 0; i < content.folders.size(); ++i) {
        Entry e = entryFor(content.folders[i] + u'/', true, 0, now);
        if (archive_write_header(a.get(), e.get()) != ARCHIVE_OK)
            return errorOf(a.get());
        if (progress && i % 1024 == 0)
            progress(0, content.bytes); // the window answers while the folders go in
    }
    QByteArray buffer(kChunk, Qt::Uninitialized);
    qint64 done = 0;
    for (const QString &rel : content.files) {
        std::variant<ManifestFile, QString> added = addFile(a.get(), root, rel, buffer, [&](qint64 n) {
            done += n;
            if (progress)
                progress(done, content.bytes);
        });
        if (const QString *error = std::get_if<QString>(&added))
            return *error;
        m.files.push_back(std::get<ManifestFile>(added));
    }
    const QByteArray manifest = m.encode();
    Entry e = entryFor(kManifestName, false, manifest.size(), now);
    if (archive_write_header(a.get(), e.get()) != ARCHIVE_OK
        || archive_write_data(a.get(), manifest.constData(), size_t(manifest.size())) != manifest.size()
        || archive_write_close(a.get()) != ARCHIVE_OK)
        return errorOf(a.get());
    if (!syncFile(target))
        return QStringLiteral("the disk did not confirm the archive");
    return m;
}

// The generations of a folder, oldest first.
QStringList generations(const QString &folder)
{
    QStringList names = QDir(folder).entryList({kPrefix + QStringLiteral("*.zip")}, QDir::Files, QDir::Name);
    return names;
}

} // namespace

Settings loadSettings(const store::FileStore &store)
{
    Settings s;
    const std::optional<QByteArray> bytes = store.readFile(kSettingsFile);
    if (!bytes)
        return s;
    base::valuelist::Reader r(*bytes);
    s.folder = r.text();
    const std::int64_t keep = r.integer(s.keep);
    s.keep = keep >= 1 && keep <= 999 ? int(keep) : 10;
    return s;
}

store::FileResult saveSettings(const store::FileStore &store, const Settings &s)
{
    if (!base::valuelist::canQuote(s.folder))
        return store::FileResult::failure(QStringLiteral("a folder name may not hold a double quote"));
    base::valuelist::Writer w;
    w.text(s.folder).integer(s.keep).endLine();
    return store.saveDataFile(kSettingsFile, w.bytes());
}

QString archiveFolder(const store::FileStore &store, const Settings &s)
{
    return s.folder.isEmpty() ? store.programFolder() + kBackupsFolder : QDir::cleanPath(s.folder);
}

QByteArray Manifest::encode() const
{
    QByteArray out = "Brenvoy backup manifest\n";
    out += "format " + QByteArray::number(format) + '\n';
    out += "version " + version.toUtf8() + '\n';
    out += "made " + made.toString(Qt::ISODate).toUtf8() + '\n';
    out += "customers " + QByteArray::number(customers) + '\n';
    out += "ledgers " + QByteArray::number(ledgers) + '\n';
    out += "files " + QByteArray::number(qsizetype(files.size())) + '\n';
    for (const ManifestFile &f : files)
        out += QByteArray::number(f.size) + ' ' + f.sha256 + ' ' + f.path.toUtf8() + '\n';
    return out;
}

std::optional<Manifest> Manifest::decode(const QByteArray &bytes)
{
    const QList<QByteArray> lines = bytes.split('\n');
    if (lines.size() < 7 || lines[0] != "Brenvoy backup manifest")
        return std::nullopt;
    auto value = [&](int i, const char *key) -> std::optional<QByteArray> {
        const QByteArray k = QByteArray(key) + ' ';
        return lines[i].startsWith(k) ? std::optional<QByteArray>(lines[i].mid(k.size())) : std::nullopt;
    };
    Manifest m;
    bool ok[5] = {};
    const auto format = value(1, "format"), version = value(2, "version"), made = value(3, "made"),
               customers = value(4, "customers"), ledgers = value(5, "ledgers"), count = value(6, "files");
    if (!format || !version || !made || !customers || !ledgers || !count)
        return std::nullopt;
    m.format = format->toInt(&ok[0]);
    m.version = QString::fromUtf8(*version);
    m.made = QDateTime::fromString(QString::fromUtf8(*made), Qt::ISODate);
    m.customers = customers->toInt(&ok[1]);
    m.ledgers = ledgers->toInt(&ok[2]);
    const int n = count->toInt(&ok[3]);
    if (!ok[0] || !ok[1] || !ok[2] || !ok[3] || !m.made.isValid() || lines.size() < 7 + n)
        return std::nullopt;
    for (int i = 0; i < n; ++i) {
        const QByteArray &line = lines[7 + i];
        const qsizetype a = line.indexOf(' '), b = line.indexOf(' ', a + 1);
        if (a < 0 || b < 0)
            return std::nullopt;
        ManifestFile f{QString::fromUtf8(line.mid(b + 1)), line.left(a).toLongLong(&ok[4]), line.mid(a + 1, b - a - 1)};
        if (!ok[4] || f.sha256.size() != 64)
            return std::nullopt;
        m.files.push_back(f);
    }
    return m;
}

QString currentVersion()
{
    return QStringLiteral("%1.%2.%3").arg(BRENVOY_VERSION_MAJOR).arg(BRENVOY_VERSION_MINOR).arg(BRENVOY_VERSION_PATCH);
}

bool isLaterVersion(const QString &version, const QString &than)
{
    const QStringList a = version.split(u'.'), b = than.split(u'.');
    for (qsizetype i = 0; i < std::max(a.size(), b.size()); ++i) {
        const int x = a.value(i).toInt(), y = b.value(i).toInt();
        if (x != y)
            return x > y;
    }
    return false;
}

namespace {

struct ReadEntry {
    QString path;
    bool folder = false;
};
// Every entry of the archive handed to `visit` with the reader placed at
// its data; the reason when the archive cannot be read.
QString readEntries(const QString &path, const std::function<QString(archive *, const ReadEntry &)> &visit)
{
    Reader a(archive_read_new());
    archive_read_support_format_zip_seekable(a.get());
    if (archive_read_open_filename(a.get(), QFile::encodeName(path).constData(), kChunk) != ARCHIVE_OK)
        return errorOf(a.get());
    archive_entry *e = nullptr;
    int r = ARCHIVE_OK;
    while ((r = archive_read_next_header(a.get(), &e)) == ARCHIVE_OK) {
        const char *utf8 = archive_entry_pathname_utf8(e);
        const ReadEntry entry{QString::fromUtf8(utf8 ? utf8 : archive_entry_pathname(e)), archive_entry_filetype(e) == AE_IFDIR};
        if (const QString problem = visit(a.get(), entry); !problem.isEmpty())
            return problem;
    }
    return r == ARCHIVE_EOF ? QString() : errorOf(a.get());
}

// The entry's data through `sink`, hashed; its size and SHA-256, or nothing
// when the archive is damaged there.
std::optional<std::pair<qint64, QByteArray>> readData(archive *a, const std::function<bool(const char *, qint64)> &sink)
{
    QCryptographicHash hash(QCryptographicHash::Sha256);
    QByteArray buffer(kChunk, Qt::Uninitialized);
    qint64 total = 0;
    for (la_ssize_t n; (n = archive_read_data(a, buffer.data(), size_t(buffer.size()))) != 0; total += n) {
        if (n < 0)
            return std::nullopt;
        hash.addData(QByteArrayView(buffer.constData(), n));
        if (sink && !sink(buffer.constData(), n))
            return std::nullopt;
    }
    return std::pair{total, hash.result().toHex()};
}

// A path an archive may name: relative, no "..", no empty part.
bool isSafePath(const QString &path)
{
    if (path.isEmpty() || path.startsWith(u'/') || path.contains(u'\\') || path.contains(u':'))
        return false;
    QString p = path;
    if (p.endsWith(u'/'))
        p.chop(1);
    for (const QString &part : p.split(u'/'))
        if (part.isEmpty() || part == QLatin1String(".") || part == QLatin1String(".."))
            return false;
    return true;
}

QString checkAgainst(const Manifest &m, const QHash<QString, std::pair<qint64, QByteArray>> &found, const QString &version)
{
    if (m.format > kManifestFormat || isLaterVersion(m.version, version))
        return QStringLiteral("it was made by a later version of the program (%1)").arg(m.version);
    if (qsizetype(m.files.size()) != found.size())
        return QStringLiteral("it holds %1 files where its manifest lists %2").arg(found.size()).arg(m.files.size());
    for (const ManifestFile &f : m.files) {
        const auto it = found.constFind(f.path);
        if (it == found.cend())
            return QStringLiteral("%1 is missing from it").arg(f.path);
        if (it->first != f.size || it->second != f.sha256)
            return QStringLiteral("%1 is not as its manifest says (damaged)").arg(f.path);
    }
    return QString();
}

} // namespace

Checked checkArchive(const QString &path, const QString &version, const Progress &progress)
{
    Checked c;
    qint64 done = 0;
    QHash<QString, std::pair<qint64, QByteArray>> found;
    QByteArray manifest;
    bool sawManifest = false;
    const QString problem = readEntries(path, [&](archive *a, const ReadEntry &e) -> QString {
        if (e.folder)
            return QString();
        const bool isManifest = e.path == kManifestName;
        const auto data = readData(a, [&](const char *bytes, qint64 n) {
            if (isManifest)
                manifest.append(bytes, n);
            else if (progress)
                progress(done += n, -1);
            return true;
        });
        if (!data)
            return QStringLiteral("%1 cannot be read from it (%2)").arg(e.path, errorOf(a));
        if (isManifest)
            sawManifest = true;
        else
            found.insert(e.path, *data);
        return QString();
    });
    if (!problem.isEmpty()) {
        c.problem = problem;
        return c;
    }
    const std::optional<Manifest> m = sawManifest ? Manifest::decode(manifest) : std::nullopt;
    if (!m) {
        c.problem = QStringLiteral("it has no manifest that can be read");
        return c;
    }
    c.manifest = *m;
    c.problem = checkAgainst(*m, found, version);
    return c;
}

std::vector<ArchiveInfo> listArchives(const QString &folder)
{
    std::vector<ArchiveInfo> out;
    QStringList names = generations(folder);
    std::reverse(names.begin(), names.end());
    for (const QString &name : names) {
        ArchiveInfo info;
        info.path = folder + u'/' + name;
        info.size = QFileInfo(info.path).size();
        QByteArray manifest;
        const QString problem = readEntries(info.path, [&](archive *a, const ReadEntry &e) -> QString {
            if (e.path != kManifestName)
                return QString();
            if (!readData(a, [&](const char *bytes, qint64 n) {
                    manifest.append(bytes, n);
                    return true;
                }))
                return errorOf(a);
            return QString();
        });
        const std::optional<Manifest> m = Manifest::decode(manifest);
        if (!problem.isEmpty() || !m) {
            info.problem = problem.isEmpty() ? QStringLiteral("no manifest that can be read") : problem;
            info.made = QFileInfo(info.path).lastModified();
        } else {
            info.made = m->made;
            info.customers = m->customers;
            info.ledgers = m->ledgers;
        }
        out.push_back(info);
    }
    return out;
}

Made makeBackup(const store::FileStore &store, const QString &folder, const QDateTime &now, const QString &version,
                int keep, const Progress &progress, const QString &suffix)
{
    Made made;
    if (!QDir().mkpath(folder) || !QFileInfo(folder).isWritable()) {
        made.error = QStringLiteral("the folder %1 is missing or cannot be written to").arg(QDir::toNativeSeparators(folder));
        return made;
    }
    const QString name = kPrefix + stamp(now) + suffix + QStringLiteral(".zip");
    const QString final = folder + u'/' + name, partial = final + kPartial;
    QFile::remove(partial);
    // Writing is the first half of the progress, reading back the second.
    qint64 total = 0;
    const Progress writing = [&](qint64 done, qint64 all) {
        total = all;
        if (progress)
            progress(done, 2 * all);
    };
    std::variant<Manifest, QString> written = writeArchive(store, partial, folder, now, version, writing);
    if (const QString *error = std::get_if<QString>(&written)) {
        QFile::remove(partial);
        made.error = *error;
        return made;
    }
    // It counts only once read back whole.
    if (const Checked c = checkArchive(partial, version, [&](qint64 done, qint64) {
            if (progress)
                progress(total + done, 2 * total);
        });
        !c.ok()) {
        QFile::remove(partial);
        made.error = QStringLiteral("the archive did not read back as written: %1").arg(c.problem);
        return made;
    }
    QFile::remove(final);
    if (!QFile::rename(partial, final) || !store::detail::syncFolder(folder)) {
        QFile::remove(partial);
        made.error = QStringLiteral("the archive could not be given its name in %1").arg(QDir::toNativeSeparators(folder));
        return made;
    }
    const Manifest &m = std::get<Manifest>(written);
    made.archive = final;
    made.files = int(m.files.size());
    for (const ManifestFile &f : m.files)
        made.bytes += f.size;
    const QStringList all = generations(folder);
    for (qsizetype i = 0; i + std::max(keep, 1) < all.size(); ++i)
        if (all[i] != name && QFile::remove(folder + u'/' + all[i]))
            made.removed.append(all[i]);
    return made;
}

namespace {

struct Places {
    QString data, fresh, old, marker;
};
Places placesOf(const QString &dataFolder)
{
    const QString d = QDir::cleanPath(dataFolder);
    return {d, d + QStringLiteral(".restore-new"), d + QStringLiteral(".restore-old"), d + QStringLiteral(".restore-swap")};
}

QString parentOf(const QString &path)
{
    return QFileInfo(path).absolutePath();
}

// The archive unpacked into `into`, each file checked against the
// manifest as it is written.
QString unpack(const QString &archivePath, const Manifest &m, const QString &into, const Progress &progress)
{
    QHash<QString, const ManifestFile *> listed;
    qint64 total = 0, done = 0;
    for (const ManifestFile &f : m.files) {
        listed.insert(f.path, &f);
        total += f.size;
    }
    return readEntries(archivePath, [&](archive *a, const ReadEntry &e) -> QString {
        if (e.path == kManifestName)
            return QString();
        if (!isSafePath(e.path))
            return QStringLiteral("it names a file outside the data folder (%1)").arg(e.path);
        const QString target = into + u'/' + e.path;
        if (e.folder)
            return QDir().mkpath(target) ? QString() : QStringLiteral("the folder %1 could not be made").arg(target);
        const ManifestFile *f = listed.value(e.path);
        if (!f)
            return QStringLiteral("%1 is not in its manifest").arg(e.path);
        if (!QDir().mkpath(parentOf(target)))
            return QStringLiteral("the folder for %1 could not be made").arg(e.path);
        QFile out(target);
        if (!out.open(QIODevice::WriteOnly))
            return QStringLiteral("%1 could not be written (%2)").arg(target, out.errorString());
        const auto data = readData(a, [&](const char *bytes, qint64 n) {
            done += n;
            if (progress)
                progress(done, total);
            return out.write(bytes, n) == n;
        });
        if (!data || data->first != f->size || data->second != f->sha256)
            return QStringLiteral("%1 did not unpack as its manifest says").arg(e.path);
        return QString();
    });
}

bool writeMarker(const Places &p)
{
    QFile marker(p.marker);
    return marker.open(QIODevice::WriteOnly) && marker.write("swap\n") == 5 && marker.flush() && ::fsync(marker.handle()) == 0
           && store::detail::syncFolder(parentOf(p.data));
}

// The swap, rolled forward from wherever it stands.
bool rollForward(const Places &p)
{
    if (QFileInfo::exists(p.fresh)) {
        if (QFileInfo::exists(p.data) && !QDir().rename(p.data, p.old))
            return false;
        if (!QDir().rename(p.fresh, p.data))
            return false;
    }
    if (!store::detail::syncFolder(parentOf(p.data)))
        return false;
    QFile::remove(p.marker);
    (void)store::detail::syncFolder(parentOf(p.data));
    QDir(p.old).removeRecursively();
    return true;
}

} // namespace

bool finishRestore(const QString &dataFolder)
{
    const Places p = placesOf(dataFolder);
    if (!QFileInfo::exists(p.marker)) {
        // A restore that stopped before its swap: the data folder is whole.
        QDir(p.fresh).removeRecursively();
        QDir(p.old).removeRecursively();
        return false;
    }
    return rollForward(p);
}

Restored restoreArchive(const store::FileStore &store, const QString &archivePath, const QString &archivesFolder,
                        const QDateTime &now, const QString &version, const Progress &progress)
{
    Restored r;
    const Checked c = checkArchive(archivePath, version);
    if (!c.ok()) {
        r.error = QStringLiteral("The backup cannot be restored: %1. Nothing was changed.").arg(c.problem);
        return r;
    }
    const Places p = placesOf(store.programFolder());
    QDir(p.fresh).removeRecursively();
    QDir(p.old).removeRecursively();
    // The folder as it stands is kept first, among the archives.
    const Made before = makeBackup(store, archivesFolder, now, version, std::numeric_limits<int>::max(), {},
                                   QStringLiteral("-before-restore"));
    if (!before.ok()) {
        r.error = QStringLiteral("The data folder as it is could not be archived first (%1). Nothing was changed.").arg(before.error);
        return r;
    }
    r.before = before.archive;
    if (!QDir().mkpath(p.fresh)) {
        r.error = QStringLiteral("A folder beside the data folder could not be made. Nothing was changed.");
        return r;
    }
    if (const QString problem = unpack(archivePath, c.manifest, p.fresh, progress); !problem.isEmpty()) {
        QDir(p.fresh).removeRecursively();
        r.error = QStringLiteral("The backup could not be unpacked: %1. Nothing was changed.").arg(problem);
        return r;
    }
    ::sync(); // every unpacked file on the disk before the swap
    // The archives stay with the data folder when they live in it (they are
    // not in any archive, and the folder they are in is about to go).
    const QString data = QDir::cleanPath(store.programFolder()), archives = QDir::cleanPath(archivesFolder);
    const bool carry = archives.startsWith(data + u'/');
    const QString carried = archives.mid(data.size());
    if (!writeMarker(p)) {
        QDir(p.fresh).removeRecursively();
        r.error = QStringLiteral("The disk did not confirm the restore's first step. Nothing was changed.");
        return r;
    }
    if (carry) {
        QDir(p.fresh + carried).removeRecursively();
        (void)QDir().mkpath(parentOf(p.fresh + carried));
        (void)QDir().rename(archives, p.fresh + carried);
    }
    if (!rollForward(p))
        r.error = QStringLiteral("The restore could not finish its swap; it will be finished when the program next starts.");
    return r;
}

} // namespace backup
