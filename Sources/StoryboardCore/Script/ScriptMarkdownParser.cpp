#include "StoryboardCore/Script/ScriptMarkdownParser.h"

#include "StoryboardCore/Script/ScriptSceneSync.h"
#include "StoryboardCore/Script/ScriptText.h"
#include "StoryboardCore/Utilities/UUID.h"

#include <QDateTime>
#include <QHash>
#include <QRegularExpression>

#include <optional>
#include <span>
#include <utility>

namespace veskel::ScriptMarkdownParser {

namespace {

using Paragraph = QList<QStringView>;

constexpr QStringView visualMarkerPrefix = u"[визуал:";
constexpr QStringView bRollPrefix = u"[b-roll:";
constexpr QStringView pauseLine = u"[пауза]";
constexpr QStringView scriptSectionName = u"Сценарий";
constexpr QStringView visualsSectionName = u"Визуалы";
constexpr QStringView sectionRule = u"---";
constexpr QStringView visualHeadingPrefix = u"### ";
constexpr qsizetype maxTitleLength = 60;
constexpr qsizetype cutTitleLength = 57;

QStringView trimmed(QStringView line)
{
    return ScriptText::trimmedHorizontally(line);
}

// "[prefix: text]" at the start of a line, prefix in any case: the text between the prefix and
// the first "]", trimmed. Nothing when the bracket is never closed or encloses nothing at all.
// Scanned by hand rather than by a regular expression, whose backtracking turns quadratic on a
// long unclosed line.
std::optional<QString> bracketValue(QStringView prefix, QStringView line)
{
    if (!line.startsWith(prefix, Qt::CaseInsensitive))
        return std::nullopt;
    const qsizetype close = line.indexOf(u']', prefix.size());
    if (close <= prefix.size())
        return std::nullopt;
    return line.sliced(prefix.size(), close - prefix.size()).trimmed().toString();
}

// The value of a line "**Name:** value" (the colon may also stand outside the asterisks, or be
// left out), the name in any case. Nothing when the line is not that field or has no value.
std::optional<QString> boldFieldValue(const QRegularExpression &field, QStringView line)
{
    const QRegularExpressionMatch match = field.match(line);
    if (!match.hasMatch())
        return std::nullopt;
    QString value = match.captured(1).trimmed();
    if (value.isEmpty())
        return std::nullopt;
    return value;
}

QRegularExpression boldFieldPattern(QStringView name)
{
    return QRegularExpression(QStringLiteral("^\\*\\*") + QRegularExpression::escape(name)
                                  + QStringLiteral(":?\\*\\*:?\\s*(.+)$"),
                              QRegularExpression::CaseInsensitiveOption
                                  | QRegularExpression::UseUnicodePropertiesOption);
}

// The lines under the first "## name" heading, up to the next "## " heading or a "---" rule
// that follows some text (a rule right under the heading is skipped).
std::optional<QString> section(QStringView name, const QString &text)
{
    const QString heading = QStringLiteral("## ") + name.toString();
    const QList<QStringView> lines = QStringView(text).split(u'\n');
    qsizetype start = 0;
    while (start < lines.size() && trimmed(lines.at(start)) != heading)
        ++start;
    if (start == lines.size())
        return std::nullopt;

    QStringList collected;
    bool hasText = false;
    for (qsizetype i = start + 1; i < lines.size(); ++i) {
        const QStringView line = lines.at(i);
        const QStringView bare = trimmed(line);
        if (bare.startsWith(u"## "))
            break;
        if (bare == sectionRule) {
            if (hasText)
                break;
            continue;
        }
        collected.append(line.toString());
        hasText = hasText || !ScriptText::isBlank(line);
    }
    return collected.join(u'\n');
}

// Runs of trimmed lines separated by empty lines or "---" rules.
QList<Paragraph> paragraphs(QStringView text)
{
    QList<Paragraph> result;
    Paragraph current;
    for (const QStringView line : text.split(u'\n')) {
        const QStringView bare = trimmed(line);
        if (bare.isEmpty() || bare == sectionRule) {
            if (!current.isEmpty())
                result.append(std::exchange(current, {}));
            continue;
        }
        current.append(bare);
    }
    if (!current.isEmpty())
        result.append(current);
    return result;
}

ScriptBlock makeBlock(QString text, ScriptBlockRole role, const std::optional<QString> &sceneID)
{
    return ScriptBlock{makeUUID(), std::move(text), role, sceneID};
}

Scene makeScene(const QString &marker, int order, const QDateTime &now)
{
    Scene scene;
    scene.id = makeUUID();
    scene.order = order;
    scene.title = marker;
    scene.durationSeconds = ScriptSceneSync::minEstimatedDuration;
    scene.type = SceneType::placeholder;
    scene.createdAt = now;
    scene.updatedAt = now;
    return scene;
}

// One scene's lines (or draft lines): prose between b-roll notes becomes one voiceover block
// each; pauses and stray markers are dropped.
void appendLines(const Paragraph &lines,
                 const std::optional<QString> &sceneID,
                 QList<ScriptBlock> &blocks)
{
    QList<QStringView> pending;
    const auto flushText = [&] {
        QString text;
        for (qsizetype i = 0; i < pending.size(); ++i) {
            if (i > 0)
                text += u'\n';
            text += pending.at(i);
        }
        pending.clear();
        text = text.trimmed();
        if (!text.isEmpty())
            blocks.append(makeBlock(std::move(text), ScriptBlockRole::voiceover, sceneID));
    };

    for (const QStringView raw : lines) {
        const QStringView line = trimmed(raw);
        if (line == pauseLine)
            continue;
        if (std::optional<QString> note = bracketValue(bRollPrefix, line)) {
            flushText();
            blocks.append(makeBlock(std::move(*note), ScriptBlockRole::note, sceneID));
            continue;
        }
        if (bracketValue(visualMarkerPrefix, line))
            continue;
        pending.append(line);
    }
    flushText();
}

// Blocks the visuals section adds around one scene's own blocks: on-slide texts go in front
// (each new one before the earlier ones), notes behind (in order).
struct VisualBlocks
{
    QList<ScriptBlock> front; // in the order they were found; laid out reversed
    QList<ScriptBlock> back;
};

// Applies the "### marker" entries. The blocks come as draft text followed by every scene's
// own blocks in one run each, in scene order; so instead of inserting into the list (a search
// per field line) the additions are collected per scene and laid out in one pass, scene by
// scene: its on-slide blocks, its own run, its notes. A scene that owns no block yet gets its
// additions at its own place among the others, so it stays where its marker stood.
void parseVisuals(const QString &visuals,
                  const QHash<QString, QString> &markerToSceneID,
                  QList<ScriptBlock> &blocks,
                  QList<Scene> &scenes)
{
    static const QRegularExpression slideField = boldFieldPattern(u"Текст на слайде");
    static const QRegularExpression screenField = boldFieldPattern(u"Что на экране");

    QHash<QString, qsizetype> sceneIndex;
    for (qsizetype i = 0; i < scenes.size(); ++i)
        sceneIndex.insert(scenes.at(i).id, i);

    QHash<QString, VisualBlocks> additions;
    std::optional<QString> marker;
    for (const QStringView raw : QStringView(visuals).split(u'\n')) {
        const QStringView line = trimmed(raw);
        if (line.startsWith(visualHeadingPrefix)) {
            marker = line.sliced(visualHeadingPrefix.size()).trimmed().toString();
            continue;
        }
        if (!marker)
            continue;
        const auto sceneID = markerToSceneID.constFind(*marker);
        if (sceneID == markerToSceneID.cend())
            continue;
        const auto index = sceneIndex.constFind(*sceneID);
        if (index == sceneIndex.cend())
            continue;

        if (std::optional<QString> slide = boldFieldValue(slideField, line)) {
            scenes[*index].title = sceneTitle(*slide);
            additions[*sceneID].front.append(
                makeBlock(std::move(*slide), ScriptBlockRole::onScreen, *sceneID));
        } else if (std::optional<QString> screen = boldFieldValue(screenField, line)) {
            additions[*sceneID].back.append(
                makeBlock(std::move(*screen), ScriptBlockRole::note, *sceneID));
        }
    }
    if (additions.isEmpty())
        return;

    QList<ScriptBlock> laidOut;
    laidOut.reserve(blocks.size());
    qsizetype next = 0;
    while (next < blocks.size() && !blocks.at(next).sceneID)
        laidOut.append(std::move(blocks[next++]));
    for (const Scene &scene : std::as_const(scenes)) {
        const auto visual = additions.constFind(scene.id);
        if (visual != additions.cend()) {
            for (auto it = visual->front.crbegin(); it != visual->front.crend(); ++it)
                laidOut.append(*it);
        }
        while (next < blocks.size() && blocks.at(next).sceneID == scene.id)
            laidOut.append(std::move(blocks[next++]));
        if (visual != additions.cend())
            laidOut.append(visual->back);
    }
    blocks = std::move(laidOut);
}

ParsedScript structuredScript(const QString &text)
{
    const QDateTime now = QDateTime::currentDateTimeUtc();
    const std::optional<QString> scriptSection = section(scriptSectionName, text);
    const std::optional<QString> visualsSection = section(visualsSectionName, text);

    ParsedScript result;
    QHash<QString, QString> markerToSceneID;
    std::optional<QString> currentSceneID;
    for (const Paragraph &paragraph : paragraphs(scriptSection ? *scriptSection : text)) {
        if (std::optional<QString> marker = bracketValue(visualMarkerPrefix, paragraph.first())) {
            Scene scene = makeScene(*marker, int(result.scenes.size()), now);
            currentSceneID = scene.id;
            markerToSceneID.insert(*marker, scene.id);
            result.scenes.append(std::move(scene));
            appendLines(paragraph.sliced(1), currentSceneID, result.blocks);
        } else {
            appendLines(paragraph, currentSceneID, result.blocks);
        }
    }

    if (visualsSection)
        parseVisuals(*visualsSection, markerToSceneID, result.blocks, result.scenes);

    // Each scene's blocks lie in one run; reading only that run keeps thousands of scenes
    // linear.
    QHash<QString, std::span<const ScriptBlock>> runs;
    for (qsizetype i = 0; i < result.blocks.size();) {
        const std::optional<QString> &sceneID = result.blocks.at(i).sceneID;
        qsizetype end = i + 1;
        while (end < result.blocks.size() && result.blocks.at(end).sceneID == sceneID)
            ++end;
        if (sceneID)
            runs.insert(*sceneID, std::span(result.blocks.constData() + i, size_t(end - i)));
        i = end;
    }
    for (Scene &scene : result.scenes) {
        const std::span<const ScriptBlock> run = runs.value(scene.id);
        scene.voiceoverText = ScriptSceneSync::fieldText(ScriptBlockRole::voiceover, scene.id, run);
        scene.onScreenText = ScriptSceneSync::fieldText(ScriptBlockRole::onScreen, scene.id, run);
        scene.productionNote = ScriptSceneSync::fieldText(ScriptBlockRole::note, scene.id, run);
        scene.updatedAt = now;
        scene.durationSeconds = ScriptSceneSync::estimatedDuration(scene.voiceoverText);
    }
    return result;
}

// Any other text: one voiceover block per paragraph, no scenes, nothing interpreted.
ParsedScript plainTextScript(const QString &text)
{
    ParsedScript result;
    for (const Paragraph &paragraph : paragraphs(text)) {
        QString joined;
        for (qsizetype i = 0; i < paragraph.size(); ++i) {
            if (i > 0)
                joined += u'\n';
            joined += paragraph.at(i);
        }
        result.blocks.append(
            makeBlock(std::move(joined), ScriptBlockRole::voiceover, std::nullopt));
    }
    return result;
}

} // namespace

ParsedScript parse(const QString &text)
{
    // A file's line ends, whatever platform wrote them: a carriage return left inside a line
    // would meet the line feed the document puts after it and read as a different line the
    // next time the document is parsed.
    QString normalized = text;
    normalized.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
    // The marker prefix, written exactly, is what tells the structured layout apart.
    if (!normalized.contains(visualMarkerPrefix))
        return plainTextScript(normalized);
    return structuredScript(normalized);
}

QString sceneTitle(const QString &slideText)
{
    const QString text = slideText.trimmed();
    const auto cut = ScriptText::cutWhenLonger(text, maxTitleLength, cutTitleLength);
    if (!cut)
        return text;
    QStringView head = QStringView(text).first(*cut);
    while (!head.isEmpty() && head.back().isSpace())
        head.chop(1);
    return head.toString() + u'…';
}

} // namespace veskel::ScriptMarkdownParser
