// The editor as a user drives it, at random: typing and deleting anywhere, breaking and restoring
// headings, cut and paste of ranges and of whole scenes, scene commands, duration drags,
// inspector changes, reference images, imports, undo and redo. After every step nothing the
// user made may be lost:
// - the project is what its document text reads as (reading it again changes nothing);
// - scene orders are 0 … n−1 in the order the document shows the headings;
// - every image the project, an undo or redo step or a kept-aside scene can bring back has its
//   file;
// - typing changes exactly the characters typed (no-break spaces and line separators kept);
// - a heading typed again with the title of a scene it removed takes that scene back;
// - a failed image replacement leaves the project as it was;
// and at the end, undo back to the start gives the starting project exactly, and closing the
// editor leaves only referenced images in Media.

#include "FuzzCheck.h"
#include "FuzzInput.h"
#include "ScriptComparison.h"

#include "StoryboardCore/Script/ScriptDocumentCodec.h"
#include "StoryboardCore/Script/ScriptDocumentEdit.h"
#include "StoryboardCore/Storage/LocalProjectStore.h"
#include "StoryboardCore/Storage/ProjectPackagePaths.h"
#include "VeskelApp/Editor/ProjectEditorViewModel.h"
#include "VeskelApp/Scheduling/ManualEditorScheduler.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QTemporaryDir>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <memory>

using namespace veskel;

namespace {

// Few titles, so scenes share them and title matching has choices to make.
const QStringList titles{QStringLiteral("Intro"),
                         QStringLiteral("Milling"),
                         QStringLiteral("Ёлка"),
                         QStringLiteral("Intro"),
                         QString(),
                         QStringLiteral("Outro")};

// What typing inserts: markup characters, letters, line breaks, and the characters a plain-text
// round trip would lose.
const QString typedCharacters
    = QStringLiteral("ab #>/\n.") + QChar(0x00A0) + QChar(0x2028) + QStringLiteral("ё\n\n");

struct Images
{
    QString first;
    QString second;
    QString broken;
};

// One folder for the whole run: every input gets a project of its own in it.
const QString &workFolder()
{
    static const QTemporaryDir dir;
    static const QString path = dir.path();
    return path;
}

const Images &images()
{
    static const Images files = [] {
        Images made{workFolder() + QStringLiteral("/first.png"),
                    workFolder() + QStringLiteral("/second.png"),
                    workFolder() + QStringLiteral("/broken.png")};
        QImage image(24, 16, QImage::Format_RGB32);
        image.fill(Qt::darkCyan);
        image.save(made.first, "PNG");
        image.fill(Qt::darkRed);
        image.save(made.second, "PNG");
        QFile broken(made.broken);
        if (broken.open(QIODevice::WriteOnly))
            broken.write("not a picture");
        return made;
    }();
    return files;
}

// Steps taken in this process, reported when it ends, so a run can say how much it tried.
std::atomic<long long> stepsTaken{0};

void reportSteps()
{
    std::fprintf(stderr, "EditorFuzzer: %lld editing steps\n", stepsTaken.load());
}

class EditorSession
{
public:
    explicit EditorSession(fuzz::FuzzInput &input)
        : m_input(input)
        , m_store(workFolder() + QStringLiteral("/Projects"))
    {
        auto created = m_store.createProject(
            QStringLiteral("Film"),
            VideoSettings::preset(VideoSettings::FormatPreset::horizontalHD, 25));
        VESKEL_FUZZ_CHECK(created.has_value());
        StoryboardProject project = *created;
        ScriptDocumentEdit::apply(startingScript(), project);
        VESKEL_FUZZ_CHECK(m_store.saveProject(project).has_value());
        m_package = m_store.packagePath(project).value_or(QString());
        VESKEL_FUZZ_CHECK(!m_package.isEmpty());
        m_start = project;
        m_editor
            = std::make_unique<ProjectEditorViewModel>(project, m_store, nullptr, &m_scheduler);
        check();
    }

    ~EditorSession() { QDir(m_package).removeRecursively(); }

    void run()
    {
        while (!m_input.atEnd()) {
            step();
            check();
            ++stepsTaken;
        }
        undoToTheStart();
        m_editor->close();
        checkMediaAfterClose();
    }

private:
    QString startingScript()
    {
        QString script;
        if (m_input.flag())
            script += QStringLiteral("Draft before the first heading.\n\n");
        for (int count = m_input.byte() % 6; count > 0; --count) {
            const QString title = titles.at(m_input.byte() % titles.size());
            script += title.isEmpty() ? QStringLiteral("#") : QStringLiteral("# ") + title;
            script += QStringLiteral("\n\n");
            switch (m_input.byte() % 4) {
            case 0:
                break; // a scene without text
            case 1:
                script += QStringLiteral("Voiceover of some words.\n\n");
                break;
            case 2:
                script += QStringLiteral("> Slide\n\n// note\n\n");
                break;
            default:
                script += QStringLiteral("Two\u00A0words\n\n> Slide\n\n");
            }
        }
        return script;
    }

    const StoryboardProject &project() const { return m_editor->project(); }
    const QString &text() const { return m_editor->documentText(); }

    std::optional<QString> anyScene()
    {
        const QList<Scene> &scenes = project().scenes;
        if (scenes.isEmpty())
            return std::nullopt;
        return scenes.at(m_input.byte() % scenes.size()).id;
    }

    std::optional<QString> anySceneOrNone()
    {
        return m_input.byte() % 4 == 0 ? std::nullopt : anyScene();
    }

    QString typed()
    {
        QString inserted;
        for (int count = m_input.byte() % 4; count > 0; --count)
            inserted += typedCharacters.at(m_input.byte() % typedCharacters.size());
        return inserted;
    }

    // Replaces a range of the document as typing would; the editor must keep exactly that text.
    void type(qsizetype from, qsizetype length, const QString &inserted)
    {
        QString expected = text();
        expected.replace(from, length, inserted);
        m_editor->applyDocumentText(expected);
        VESKEL_FUZZ_CHECK(text() == expected);
    }

    void typeAnywhere()
    {
        const qsizetype length = text().size();
        const qsizetype from = m_input.integer(0, int(length));
        const qsizetype removed = std::min<qsizetype>(m_input.byte() % 4, length - from);
        type(from, removed, typed());
    }

    // Which scene a title typed again should bring back: only clear when no live scene and no
    // more recently removed one has that title.
    bool titleIsUnique(const QString &title, const QString &sceneID) const
    {
        for (const Scene &scene : project().scenes) {
            if (scene.id != sceneID && scene.title == title)
                return false;
        }
        for (const Scene &scene : m_editor->keptAsideScenes()) {
            if (scene.id != sceneID && scene.title == title)
                return false;
        }
        return true;
    }

    void checkTakenBack(const Scene &before, qsizetype headingAt)
    {
        std::optional<Scene> after = m_editor->scene(TextRange{headingAt, 0});
        VESKEL_FUZZ_CHECK(after.has_value());
        VESKEL_FUZZ_CHECK(after->id == before.id);
        VESKEL_FUZZ_CHECK(after->type == before.type);
        VESKEL_FUZZ_CHECK(after->image == before.image);
        VESKEL_FUZZ_CHECK(after->tags == before.tags);
        VESKEL_FUZZ_CHECK(after->createdAt == before.createdAt);
        VESKEL_FUZZ_CHECK(after->marker.type == before.marker.type);
        VESKEL_FUZZ_CHECK(after->marker.note == before.marker.note);
        VESKEL_FUZZ_CHECK(after->voiceoverText != before.voiceoverText
                          || after->durationSeconds == before.durationSeconds);
    }

    // "x" typed at the start of a heading line, then deleted again.
    void breakAndRestoreHeading()
    {
        const std::optional<QString> id = anyScene();
        if (!id)
            return;
        const auto heading = m_editor->documentLayout().sceneHeadingRanges.constFind(*id);
        VESKEL_FUZZ_CHECK(heading != m_editor->documentLayout().sceneHeadingRanges.cend());
        const qsizetype at = heading->location;
        const QString line = text().mid(at, heading->length + 1);
        const Scene before = *std::ranges::find(project().scenes, *id, &Scene::id);
        const bool unique = titleIsUnique(before.title, before.id);
        type(at, 0, QStringLiteral("x"));
        if (m_input.flag())
            typeAnywhere();
        if (text().mid(at, line.size() + 1) != u'x' + line)
            return; // the other keystroke moved or changed the heading; nothing to restore
        type(at, 1, QString());
        if (unique && titleIsUnique(before.title, before.id))
            checkTakenBack(before, at);
    }

    // A whole scene (heading and text) cut and pasted at the start of another line.
    void cutAndPasteScene()
    {
        const std::optional<QString> id = anyScene();
        if (!id)
            return;
        const TextRange span = m_editor->documentLayout().sceneSpans.value(*id);
        const Scene before = *std::ranges::find(project().scenes, *id, &Scene::id);
        const bool unique = titleIsUnique(before.title, before.id);
        qsizetype end = span.end();
        if (end < text().size() && text().at(end) == u'\n')
            ++end;
        const QString cut = text().mid(span.location, end - span.location);
        type(span.location, end - span.location, QString());

        QList<qsizetype> lineStarts{0};
        for (qsizetype i = 0; i < text().size(); ++i) {
            if (text().at(i) == u'\n')
                lineStarts.append(i + 1);
        }
        const qsizetype at = lineStarts.at(m_input.byte() % lineStarts.size());
        type(at, 0, cut.endsWith(u'\n') ? cut : cut + u'\n');
        if (unique && titleIsUnique(before.title, before.id))
            checkTakenBack(before, at);
    }

    void cutAndPasteRange()
    {
        const qsizetype length = text().size();
        const qsizetype from = m_input.integer(0, int(length));
        const qsizetype count = std::min<qsizetype>(m_input.integer(0, 40), length - from);
        const QString cut = text().mid(from, count);
        type(from, count, QString());
        type(m_input.integer(0, int(text().size())), 0, cut);
    }

    void changeInInspector()
    {
        const std::optional<QString> id = anyScene();
        if (!id)
            return;
        const int what = m_input.byte() % 5;
        const QString title = titles.at(m_input.byte() % titles.size()) + typed();
        const auto &types = allCases<SceneType>();
        const SceneType type = types.at(m_input.byte() % types.size());
        const double seconds = m_input.integer(-4, 40) / 2.0;
        m_editor->updateScene(*id, [&](Scene &scene) {
            switch (what) {
            case 0:
                scene.title = title;
                break;
            case 1:
                scene.type = type;
                break;
            case 2:
                scene.durationSeconds = std::max(seconds, 0.5);
                break;
            case 3:
                scene.tags.append(title);
                break;
            default:
                scene.marker.note = title;
            }
        });
    }

    void resize()
    {
        const std::optional<QString> id = anyScene();
        if (!id)
            return;
        for (int moves = 1 + m_input.byte() % 3; moves > 0; --moves)
            m_editor->resizeScene(*id, m_input.integer(-100, 8000) / 97.0);
        m_editor->commitSceneDuration();
        const Scene &scene = *std::ranges::find(project().scenes, *id, &Scene::id);
        VESKEL_FUZZ_CHECK(scene.durationSeconds * 2 == std::round(scene.durationSeconds * 2));
    }

    void changeImage()
    {
        const std::optional<QString> id = anyScene();
        if (!id)
            return;
        m_editor->selectOnly(*id);
        switch (m_input.byte() % 4) {
        case 0:
            m_editor->attachImage(images().first);
            break;
        case 1:
            m_editor->attachImage(images().second);
            break;
        case 2: {
            const StoryboardProject before = project();
            m_editor->attachImage(images().broken);
            VESKEL_FUZZ_CHECK(project() == before);
            break;
        }
        default:
            m_editor->removeAttachedImage();
        }
    }

    void import()
    {
        static const QStringList pieces{
            QStringLiteral("[визуал: Схема]\nText of the scheme.\n"),
            QStringLiteral("[визуал: Пусто]\n[пауза]\n"),
            QStringLiteral("A plain paragraph.\n"),
            QStringLiteral("# Intro\n"),
            QStringLiteral("## Визуалы\n### Пусто\n**Текст на слайде:** Слайд\n"),
        };
        QString script;
        for (int count = 1 + m_input.byte() % 3; count > 0; --count)
            script += pieces.at(m_input.byte() % pieces.size()) + u'\n';
        m_editor->importScript(script);
    }

    void step()
    {
        switch (m_input.byte() % 16) {
        case 0:
        case 1:
        case 2:
            typeAnywhere();
            break;
        case 3:
            breakAndRestoreHeading();
            break;
        case 4:
            cutAndPasteScene();
            break;
        case 5:
            cutAndPasteRange();
            break;
        case 6:
            m_editor->insertScene(anySceneOrNone(), SceneType::placeholder);
            break;
        case 7:
            if (const auto id = anyScene())
                m_editor->duplicateScene(*id);
            break;
        case 8:
            if (const auto id = anyScene())
                m_editor->deleteScene(*id);
            break;
        case 9:
            if (const auto id = anyScene())
                m_editor->moveSceneBlocks(*id, anySceneOrNone());
            break;
        case 10:
            resize();
            break;
        case 11:
            changeInInspector();
            break;
        case 12:
            changeImage();
            break;
        case 13:
            import();
            break;
        case 14:
            m_editor->undo();
            break;
        default:
            if (m_input.flag())
                m_editor->redo();
            else
                m_scheduler.runAll(); // typing run ends, the save is written
        }
        m_historyOverflowed
            = m_historyOverflowed
              || m_editor->undoStack().undoStack().size() >= ProjectEditorViewModel::undoLimit;
    }

    // --- the properties ------------------------------------------------------------------------

    void check() const
    {
        checkDocumentReadsAsTheProject();
        checkOrders();
        checkImageFiles();
    }

    void checkDocumentReadsAsTheProject() const
    {
        const QList<Scene> scenes = project().orderedScenes();
        const ParsedScriptDocument reread = ScriptDocumentCodec::parse(text(), scenes);
        VESKEL_FUZZ_CHECK(fuzz::sameBlocks(reread.blocks, project().scriptBlocks));
        VESKEL_FUZZ_CHECK(reread.scenes.size() == scenes.size());
        for (qsizetype i = 0; i < scenes.size(); ++i) {
            const Scene &a = reread.scenes.at(i);
            const Scene &b = scenes.at(i);
            VESKEL_FUZZ_CHECK(a.id == b.id);
            VESKEL_FUZZ_CHECK(a.title == b.title);
            VESKEL_FUZZ_CHECK(a.order == b.order);
            VESKEL_FUZZ_CHECK(a.voiceoverText == b.voiceoverText);
            VESKEL_FUZZ_CHECK(a.onScreenText == b.onScreenText);
            VESKEL_FUZZ_CHECK(a.productionNote == b.productionNote);
            VESKEL_FUZZ_CHECK(a.durationSeconds == b.durationSeconds);
        }
    }

    void checkOrders() const
    {
        const QList<Scene> scenes = project().orderedScenes();
        const ScriptDocumentLayout &layout = m_editor->documentLayout();
        qsizetype previousHeading = -1;
        for (qsizetype i = 0; i < scenes.size(); ++i) {
            VESKEL_FUZZ_CHECK(scenes.at(i).order == i);
            const auto heading = layout.sceneHeadingRanges.constFind(scenes.at(i).id);
            VESKEL_FUZZ_CHECK(heading != layout.sceneHeadingRanges.cend());
            VESKEL_FUZZ_CHECK(heading->location > previousHeading);
            previousHeading = heading->location;
        }
    }

    void checkImagesOf(const QList<Scene> &scenes) const
    {
        for (const Scene &scene : scenes) {
            if (!scene.image)
                continue;
            const auto file = ProjectPackagePaths::mediaFilePath(m_package, scene.image->localPath);
            VESKEL_FUZZ_CHECK(file && QFileInfo(*file).isFile());
        }
    }

    void checkImageFiles() const
    {
        checkImagesOf(project().scenes);
        checkImagesOf(m_editor->keptAsideScenes());
        for (const EditorSnapshot &snapshot : m_editor->undoStack().undoStack())
            checkImagesOf(snapshot.project.scenes);
        for (const EditorSnapshot &snapshot : m_editor->undoStack().redoStack())
            checkImagesOf(snapshot.project.scenes);
    }

    void undoToTheStart()
    {
        while (m_editor->canUndo()) {
            m_editor->undo();
            check();
        }
        // Only while every step is still in the history does it lead back to the start.
        if (!m_historyOverflowed)
            VESKEL_FUZZ_CHECK(project() == m_start);
    }

    void checkMediaAfterClose() const
    {
        checkImagesOf(project().scenes);
        QSet<QString> referenced;
        for (const Scene &scene : project().scenes) {
            if (scene.image)
                referenced.insert(scene.image->localPath);
        }
        const QStringList files
            = QDir(ProjectPackagePaths::mediaPath(m_package)).entryList(QDir::Files);
        for (const QString &file : files)
            VESKEL_FUZZ_CHECK(referenced.contains(file));
    }

    fuzz::FuzzInput &m_input;
    LocalProjectStore m_store;
    ManualEditorScheduler m_scheduler;
    QString m_package;
    StoryboardProject m_start;
    std::unique_ptr<ProjectEditorViewModel> m_editor;
    bool m_historyOverflowed = false;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // Steps come from bytes; an input too long only takes the fuzzer's time.
    fuzz::FuzzInput input(data, std::min<size_t>(size, 4096));
    (void)images();
    static const bool reporting = std::atexit(reportSteps) == 0;
    (void)reporting;
    EditorSession(input).run();
    return 0;
}
