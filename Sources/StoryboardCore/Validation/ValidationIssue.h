#pragma once

#include <QString>

#include <optional>

namespace veskel {

struct StoryboardProject;

// One finding of the export check. Errors block an export; warnings are only shown.
struct ValidationIssue
{
    // Declaration order is part of the vocabulary: it is the order the review lists kinds in.
    enum class Kind {
        noScenes,
        unsupportedFrameRate,
        emptySceneTitle,
        invalidSceneDuration,
        onScreenTextTooLong,
        missingProductionNote,
        missingVisualReference,
        emptyProjectTitle,
    };

    Kind kind = Kind::emptyProjectTitle;
    // The scene the issue is about; empty for the project-wide kinds.
    QString sceneID;
    // unsupportedFrameRate: the project's rate.
    int frameRate = 0;
    // onScreenTextTooLong: characters found and the limit.
    int length = 0;
    int maxLength = 0;

    static ValidationIssue noScenes();
    static ValidationIssue unsupportedFrameRate(int fps);
    static ValidationIssue emptySceneTitle(const QString &sceneID);
    static ValidationIssue invalidSceneDuration(const QString &sceneID);
    static ValidationIssue onScreenTextTooLong(const QString &sceneID, int length, int maxLength);
    static ValidationIssue missingProductionNote(const QString &sceneID);
    static ValidationIssue missingVisualReference(const QString &sceneID);
    static ValidationIssue emptyProjectTitle();

    // Exactly noScenes, unsupportedFrameRate, emptySceneTitle, invalidSceneDuration and
    // emptyProjectTitle.
    bool isError() const;
    bool isWarning() const { return !isError(); }

    // The export review's line, naming the scene by its label: "S003 Intro: missing scene title."
    // In the interface language; English where no translator is installed.
    QString reviewMessage(const StoryboardProject &project) const;

    bool operator==(const ValidationIssue &) const = default;
};

// "S003 Intro"; "S003 Untitled" for a blank title; "Scene" when no scene has the id.
QString sceneLabel(const QString &sceneID, const StoryboardProject &project);

} // namespace veskel
