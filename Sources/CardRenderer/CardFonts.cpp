#include "CardRenderer/CardFonts.h"

#include <QFile>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QStringList>
#include <QtEndian>

#include <algorithm>
#include <array>
#include <mutex>

// The resources live in a static library; naming their initialiser here keeps the linker
// from dropping them. It must be called outside any namespace.
static void initCardFontResources()
{
    Q_INIT_RESOURCE(CardFonts);
}

namespace veskel::CardFonts {

namespace {

// A machine may have its own, different version of Inter or JetBrains Mono installed, and the
// font database prefers an installed face over an application face of the same family. The
// bundled faces are therefore registered under family names no installed font uses.
const QString sansFamily = QStringLiteral("Veskel Card Sans");
const QString monoFamily = QStringLiteral("Veskel Card Mono");

struct BundledFace
{
    const char *resource;
    const QString &family;
    const char *style;
};

void appendUInt16(QByteArray &out, quint16 value)
{
    out.append(char(value >> 8));
    out.append(char(value & 0xFF));
}

quint32 tableChecksum(const QByteArray &table)
{
    QByteArray padded = table;
    while (padded.size() % 4 != 0)
        padded.append('\0');
    quint32 sum = 0;
    for (qsizetype i = 0; i < padded.size(); i += 4)
        sum += qFromBigEndian<quint32>(padded.constData() + i);
    return sum;
}

// A "name" table holding only the Windows-platform names that font matching reads.
QByteArray nameTable(const QString &family, const QString &style)
{
    const QString postScript = QString(family).remove(u' ') + u'-' + QString(style).remove(u' ');
    const std::array<std::pair<quint16, QString>, 6> names{{{1, family},
                                                            {2, style},
                                                            {4, family + u' ' + style},
                                                            {6, postScript},
                                                            {16, family},
                                                            {17, style}}};
    QByteArray storage;
    QByteArray table;
    appendUInt16(table, 0);
    appendUInt16(table, quint16(names.size()));
    appendUInt16(table, quint16(6 + 12 * names.size()));
    for (const auto &[nameID, text] : names) {
        QByteArray encoded;
        for (QChar c : text)
            appendUInt16(encoded, c.unicode());
        appendUInt16(table, 3);      // Windows
        appendUInt16(table, 1);      // Unicode BMP
        appendUInt16(table, 0x0409); // English
        appendUInt16(table, nameID);
        appendUInt16(table, quint16(encoded.size()));
        appendUInt16(table, quint16(storage.size()));
        storage += encoded;
    }
    return table + storage;
}

// The font file with its "name" table replaced; empty when the data is not an sfnt font.
QByteArray renamedFont(const QByteArray &font, const QString &family, const QString &style)
{
    if (font.size() < 12)
        return {};
    const quint16 tableCount = qFromBigEndian<quint16>(font.constData() + 4);
    if (font.size() < 12 + 16 * qsizetype(tableCount))
        return {};
    QByteArray result = font;
    while (result.size() % 4 != 0)
        result.append('\0');
    for (quint16 i = 0; i < tableCount; ++i) {
        char *record = result.data() + 12 + 16 * i;
        if (QByteArrayView(record, 4) != QByteArrayView("name"))
            continue;
        const QByteArray table = nameTable(family, style);
        qToBigEndian<quint32>(tableChecksum(table), record + 4);
        qToBigEndian<quint32>(quint32(result.size()), record + 8);
        qToBigEndian<quint32>(quint32(table.size()), record + 12);
        result += table;
        return result;
    }
    return {};
}

bool registerFace(const BundledFace &face)
{
    QFile file(QStringLiteral(":/veskel/fonts/") + QLatin1StringView(face.resource));
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray data = renamedFont(file.readAll(), face.family, QLatin1StringView(face.style));
    if (data.isEmpty())
        return false;
    const int id = QFontDatabase::addApplicationFontFromData(data);
    return id >= 0 && QFontDatabase::applicationFontFamilies(id).contains(face.family);
}

bool registerAll()
{
    // The font database needs the GUI application; without one there is nothing to draw with.
    if (qobject_cast<QGuiApplication *>(QCoreApplication::instance()) == nullptr)
        return false;
    initCardFontResources();
    const std::array faces{BundledFace{"Inter-Regular.otf", sansFamily, "Regular"},
                           BundledFace{"Inter-SemiBold.otf", sansFamily, "Semi Bold"},
                           BundledFace{"Inter-Bold.otf", sansFamily, "Bold"},
                           BundledFace{"JetBrainsMono-Medium.ttf", monoFamily, "Medium"}};
    bool ok = true;
    for (const BundledFace &face : faces)
        ok = registerFace(face) && ok;
    return ok;
}

} // namespace

bool ensureRegistered()
{
    static std::once_flag once;
    static bool registered = false;
    std::call_once(once, [] { registered = registerAll(); });
    return registered;
}

QFont font(Face face, qreal size)
{
    ensureRegistered();
    QFont result(face == Face::monoMedium ? monoFamily : sansFamily);
    switch (face) {
    case Face::regular:
        result.setWeight(QFont::Normal);
        break;
    case Face::semiBold:
        result.setWeight(QFont::DemiBold);
        break;
    case Face::bold:
        result.setWeight(QFont::Bold);
        break;
    case Face::monoMedium:
        result.setWeight(QFont::Medium);
        break;
    }
    result.setStyle(QFont::StyleNormal);
    result.setPointSizeF(size);
    result.setKerning(true);
    // Unhinted, grey-scale outlines: the machine's font settings must not change a card.
    result.setHintingPreference(QFont::PreferNoHinting);
    result.setStyleStrategy(
        QFont::StyleStrategy(QFont::PreferAntialias | QFont::NoSubpixelAntialias));
    return result;
}

} // namespace veskel::CardFonts
