#pragma once

#include "VeskelApp/Editor/Script/SceneBandStrip.h"

namespace veskel {

class DocumentTextView;
class ProjectEditorViewModel;

// The strip left of the script: for every scene band the scene's number and type symbol in the
// type's colour, for the draft band a label. A click on a scene asks for its inspector; the
// context menu changes its type, retimes it from its text or deletes it keeping the text.
class ScriptGutter : public SceneBandStrip
{
    Q_OBJECT

public:
    static constexpr int gutterWidth = 116;
    // Room for the scene's symbol and number, the title dropped.
    static constexpr int compactWidth = 56;

    ScriptGutter(ProjectEditorViewModel &model, DocumentTextView &text, QWidget *parent = nullptr);

    // The scene whose item is at a point of the gutter.
    std::optional<QString> sceneAt(const QPoint &point) const;

signals:
    void sceneClicked(const QString &sceneID, const QRect &anchorGlobal);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    bool event(QEvent *event) override;

private:
};

} // namespace veskel
