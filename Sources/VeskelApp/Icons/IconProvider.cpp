#include "VeskelApp/Icons/IconProvider.h"

#include "VeskelApp/Icons/SymbolIconEngine.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QPainter>
#include <QSvgRenderer>

#include <map>
#include <memory>
#include <mutex>

// The icons live in a static library; naming their initialiser keeps the linker from dropping
// them. It must be called outside any namespace.
static void initIconResources()
{
    Q_INIT_RESOURCE(Icons);
}

namespace veskel::IconProvider {

namespace {

const QString resourceFolder = QStringLiteral(":/veskel/icons");

void ensureResources()
{
    static std::once_flag once;
    std::call_once(once, [] { initIconResources(); });
}

QString resourcePath(const QString &symbolName)
{
    return resourceFolder + u'/' + symbolName + QStringLiteral(".svg");
}

// The SVG text of a symbol, read once. The files stroke and fill with "currentColor", which
// is replaced by the colour wanted.
const QByteArray *source(const QString &symbolName)
{
    ensureResources();
    // A node-based map: the pointers handed out stay valid as it grows.
    static std::map<QString, QByteArray> sources;
    if (const auto found = sources.find(symbolName); found != sources.end())
        return &found->second;
    QFile file(resourcePath(symbolName));
    if (!file.open(QIODevice::ReadOnly))
        return nullptr;
    return &sources.emplace(symbolName, file.readAll()).first->second;
}

// Renderers by symbol and colour; the interface uses a handful of colours, so this stays small.
QSvgRenderer *renderer(const QString &symbolName, const QColor &color)
{
    static QHash<QString, std::shared_ptr<QSvgRenderer>> renderers;
    const QString colorName = color.name(QColor::HexRgb);
    const QString key = symbolName + u'|' + colorName;
    if (auto found = renderers.constFind(key); found != renderers.constEnd())
        return found.value().get();
    const QByteArray *svg = source(symbolName);
    if (!svg)
        return nullptr;
    QByteArray colored = *svg;
    colored.replace("currentColor", colorName.toLatin1());
    auto created = std::make_shared<QSvgRenderer>(colored);
    if (!created->isValid())
        return nullptr;
    renderers.insert(key, created);
    return created.get();
}

} // namespace

bool hasSymbol(const QString &symbolName)
{
    return source(symbolName) != nullptr;
}

QStringList symbolNames()
{
    ensureResources();
    QStringList names;
    const QStringList files
        = QDir(resourceFolder).entryList({QStringLiteral("*.svg")}, QDir::Files, QDir::Name);
    for (const QString &file : files)
        names.append(file.chopped(4));
    return names;
}

QIcon icon(const QString &symbolName, std::optional<QColor> tint)
{
    if (!hasSymbol(symbolName))
        return {};
    return QIcon(new SymbolIconEngine(symbolName, tint));
}

void paint(QPainter &painter, const QRectF &rect, const QString &symbolName, const QColor &color)
{
    QSvgRenderer *svg = renderer(symbolName, color);
    if (!svg)
        return;
    const qreal side = std::min(rect.width(), rect.height());
    const QRectF square(rect.center().x() - side / 2, rect.center().y() - side / 2, side, side);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setOpacity(painter.opacity() * color.alphaF());
    svg->render(&painter, square);
    painter.restore();
}

} // namespace veskel::IconProvider
