<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru">
<context>
    <name>AboutVeskel</name>
    <message>
        <source>Scripts for explanatory videos, storyboards for Final Cut Pro.</source>
        <translation>Сценарии объясняющих роликов, раскадровки для Final Cut Pro.</translation>
    </message>
    <message>
        <source>Licensed under the GNU General Public License, version 3 or later.</source>
        <translation>Распространяется по лицензии GNU General Public License версии 3 или более поздней.</translation>
    </message>
    <message>
        <source>Made with:</source>
        <translation>Сделано с помощью:</translation>
    </message>
    <message>
        <source>About Veskel</source>
        <translation>О программе Veskel</translation>
    </message>
</context>
<context>
    <name>AnimaticError</name>
    <message>
        <source>The animatic cannot be written: %1</source>
        <translation>Аниматик не может быть записан: %1</translation>
    </message>
    <message>
        <source>The card of %1 could not be read from %2. Export again.</source>
        <translation>Не удалось прочитать карточку %1 из %2. Экспортируйте ещё раз.</translation>
    </message>
    <message>
        <source>The animatic needs FFmpeg&apos;s %1 encoder, which this system&apos;s FFmpeg lacks.</source>
        <translation>Для аниматика нужен кодировщик %1 из FFmpeg, а в FFmpeg этой системы его нет.</translation>
    </message>
    <message>
        <source>The animatic could not be encoded: %1</source>
        <translation>Не удалось закодировать аниматик: %1</translation>
    </message>
    <message>
        <source>The animatic could not be written: %1</source>
        <translation>Не удалось записать аниматик: %1</translation>
    </message>
    <message>
        <source>The animatic was cancelled. The previous one, if any, is unchanged.</source>
        <translation>Запись аниматика отменена. Прежний аниматик, если он был, не изменился.</translation>
    </message>
</context>
<context>
    <name>AppAppearance</name>
    <message>
        <source>Match system appearance</source>
        <translation>Как в системе</translation>
    </message>
    <message>
        <source>Light</source>
        <translation>Светлое</translation>
    </message>
    <message>
        <source>Dark</source>
        <translation>Тёмное</translation>
    </message>
</context>
<context>
    <name>AppLanguage</name>
    <message>
        <source>Match System</source>
        <translation>Как в системе</translation>
    </message>
</context>
<context>
    <name>CopyTitle</name>
    <message>
        <source>(copy)</source>
        <translation>(копия)</translation>
    </message>
</context>
<context>
    <name>ExportError</name>
    <message>
        <source>Project cannot be exported: %1</source>
        <translation>Проект нельзя экспортировать: %1</translation>
    </message>
    <message>
        <source>Could not draw the card of %1: %2 Check its reference image, then export again.</source>
        <translation>Не удалось нарисовать карточку %1: %2 Проверьте референсное изображение сцены и экспортируйте снова.</translation>
    </message>
    <message>
        <source>Could not write the FCPXML: %1</source>
        <translation>Не удалось записать FCPXML: %1</translation>
    </message>
    <message>
        <source>The card of %1 was not written. Export again.</source>
        <translation>Карточка %1 не записана. Экспортируйте снова.</translation>
    </message>
    <message>
        <source>Export failed: %1</source>
        <translation>Экспорт не удался: %1</translation>
    </message>
    <message>
        <source>The project Exports folder is not accessible. Check that the project&apos;s folder can be written, then export again.</source>
        <translation>Папка Exports проекта недоступна. Проверьте, что в папку проекта можно записывать, и экспортируйте снова.</translation>
    </message>
    <message>
        <source>Could not write the animatic: %1</source>
        <translation>Не удалось записать аниматик: %1</translation>
    </message>
    <message>
        <source>The animatic was cancelled. The rest of the package was written; the previous animatic was kept.</source>
        <translation>Запись аниматика отменена. Остальные файлы пакета записаны, прежний аниматик сохранён.</translation>
    </message>
</context>
<context>
    <name>ExportReview</name>
    <message>
        <source>Scenes</source>
        <translation>Сцены</translation>
    </message>
    <message>
        <source>Duration</source>
        <translation>Длительность</translation>
    </message>
    <message>
        <source>Format</source>
        <translation>Формат</translation>
    </message>
    <message>
        <source>FCPXML for importing into Final Cut Pro</source>
        <translation>FCPXML для импорта в Final Cut Pro</translation>
    </message>
    <message>
        <source>%1 → PNG cards in Media/</source>
        <translation>%1 → PNG-карточки в Media/</translation>
    </message>
    <message>
        <source>shot-list.md — shot list</source>
        <translation>shot-list.md — шот-лист</translation>
    </message>
    <message>
        <source>scenes.csv — scene list</source>
        <translation>scenes.csv — список сцен</translation>
    </message>
    <message>
        <source>JSON project backup</source>
        <translation>JSON-бэкап проекта</translation>
    </message>
    <message>
        <source>OpenTimelineIO timeline for DaVinci Resolve and Kdenlive</source>
        <translation>Таймлайн OpenTimelineIO для DaVinci Resolve и Kdenlive</translation>
    </message>
    <message>
        <source>storyboard.pdf — storyboard for review</source>
        <translation>storyboard.pdf — раскадровка для согласования</translation>
    </message>
    <message>
        <source>Target</source>
        <translation>Назначение</translation>
    </message>
</context>
<context>
    <name>FocusMode</name>
    <message>
        <source>Off</source>
        <translation>Выключен</translation>
    </message>
    <message>
        <source>Sentence</source>
        <translation>Предложение</translation>
    </message>
    <message>
        <source>Paragraph</source>
        <translation>Абзац</translation>
    </message>
    <message>
        <source>Typewriter</source>
        <translation>Печатная машинка</translation>
    </message>
</context>
<context>
    <name>FormatPresetName</name>
    <message>
        <source>Horizontal 4K</source>
        <translation>Горизонтальный 4K</translation>
    </message>
    <message>
        <source>Horizontal Full HD</source>
        <translation>Горизонтальный Full HD</translation>
    </message>
    <message>
        <source>Vertical 4K</source>
        <translation>Вертикальный 4K</translation>
    </message>
    <message>
        <source>Vertical Full HD</source>
        <translation>Вертикальный Full HD</translation>
    </message>
</context>
<context>
    <name>MarkupBarMode</name>
    <message>
        <source>Fade In/Out</source>
        <translation>Прятать при скролле</translation>
    </message>
    <message>
        <source>Always Show</source>
        <translation>Показывать всегда</translation>
    </message>
    <message>
        <source>Hide</source>
        <translation>Скрыть</translation>
    </message>
</context>
<context>
    <name>ProjectSortKey</name>
    <message>
        <source>Date Modified</source>
        <translation>По дате изменения</translation>
    </message>
    <message>
        <source>Date Created</source>
        <translation>По дате создания</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>По названию</translation>
    </message>
</context>
<context>
    <name>SceneCount</name>
    <message numerus="yes">
        <source>%n scene(s)</source>
        <translation>
            <numerusform>%n сцена</numerusform>
            <numerusform>%n сцены</numerusform>
            <numerusform>%n сцен</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>SceneNarrations</name>
    <message>
        <source>Narration is unavailable: the espeak-ng speech synthesizer could not start.</source>
        <translation>Озвучка недоступна: синтезатор речи espeak-ng не запустился.</translation>
    </message>
</context>
<context>
    <name>SceneType</name>
    <message>
        <source>Talking head</source>
        <translation>Говорящая голова</translation>
    </message>
    <message>
        <source>Motion graphic</source>
        <translation>Моушн-графика</translation>
    </message>
    <message>
        <source>Screen recording</source>
        <translation>Запись экрана</translation>
    </message>
    <message>
        <source>UI demo</source>
        <translation>Демо интерфейса</translation>
    </message>
    <message>
        <source>Image / reference</source>
        <translation>Картинка / референс</translation>
    </message>
    <message>
        <source>Title card</source>
        <translation>Титр / заставка</translation>
    </message>
    <message>
        <source>Summary</source>
        <translation>Резюме</translation>
    </message>
    <message>
        <source>Placeholder</source>
        <translation>Пока без визуала</translation>
    </message>
</context>
<context>
    <name>SceneTypeAppearance</name>
    <message>
        <source>Talking head</source>
        <translation>Говорящая голова</translation>
    </message>
    <message>
        <source>Motion graphics</source>
        <translation>Моушн-графика</translation>
    </message>
    <message>
        <source>Screen recording</source>
        <translation>Запись экрана</translation>
    </message>
    <message>
        <source>UI demo</source>
        <translation>Демо интерфейса</translation>
    </message>
    <message>
        <source>Image / reference</source>
        <translation>Картинка / референс</translation>
    </message>
    <message>
        <source>Title card</source>
        <translation>Титр / заставка</translation>
    </message>
    <message>
        <source>Summary</source>
        <translation>Резюме</translation>
    </message>
    <message>
        <source>No visual yet</source>
        <translation>Пока без визуала</translation>
    </message>
</context>
<context>
    <name>ScratchNarration</name>
    <message>
        <source>Scratch narration is unavailable (%1). The animatic is silent.</source>
        <translation>Черновая озвучка недоступна (%1). Аниматик будет без звука.</translation>
    </message>
    <message>
        <source>Could not read the voiceover of %1 aloud (%2). The animatic is silent under it.</source>
        <translation>Не удалось озвучить закадровый текст сцены %1 (%2). В аниматике под ней тишина.</translation>
    </message>
</context>
<context>
    <name>ScriptBlockRole</name>
    <message>
        <source>Voiceover</source>
        <translation>Голос за кадром</translation>
    </message>
    <message>
        <source>On-screen</source>
        <translation>На слайде</translation>
    </message>
    <message>
        <source>Note</source>
        <translation>Заметка</translation>
    </message>
</context>
<context>
    <name>ScriptImportError</name>
    <message>
        <source>The script text is empty.</source>
        <translation>Текст сценария пуст.</translation>
    </message>
    <message>
        <source>Could not read the script file.</source>
        <translation>Не удалось прочитать файл сценария.</translation>
    </message>
</context>
<context>
    <name>ScriptSearchPanel</name>
    <message>
        <source>none</source>
        <translation>нет</translation>
    </message>
</context>
<context>
    <name>StoryboardPDF</name>
    <message>
        <source>On screen</source>
        <translation>На экране</translation>
    </message>
    <message>
        <source>Voiceover</source>
        <translation>Голос за кадром</translation>
    </message>
    <message>
        <source>Note</source>
        <translation>Заметка</translation>
    </message>
    <message>
        <source>Duration %1</source>
        <translation>Длительность %1</translation>
    </message>
    <message>
        <source>%1 fps</source>
        <translation>%1 fps</translation>
    </message>
    <message>
        <source>Exported %1</source>
        <translation>Экспорт от %1</translation>
    </message>
</context>
<context>
    <name>TimelineScrollMode</name>
    <message>
        <source>Fade In/Out</source>
        <translation>Прятать при скролле</translation>
    </message>
    <message>
        <source>Always Show</source>
        <translation>Показывать всегда</translation>
    </message>
</context>
<context>
    <name>TitleBarMode</name>
    <message>
        <source>Fade In/Out</source>
        <translation>Появляется при наведении</translation>
    </message>
    <message>
        <source>Always Show</source>
        <translation>Показывать всегда</translation>
    </message>
</context>
<context>
    <name>ValidationHelpers</name>
    <message>
        <source>Add a scene title.</source>
        <translation>Укажите название сцены.</translation>
    </message>
    <message>
        <source>Duration must be greater than zero.</source>
        <translation>Длительность должна быть больше нуля.</translation>
    </message>
    <message>
        <source>On-screen text is too long (%1/%2).</source>
        <translation>Текст на экране слишком длинный (%1/%2).</translation>
    </message>
</context>
<context>
    <name>ValidationIssue</name>
    <message>
        <source>Unsupported frame rate: %1 fps.</source>
        <translation>Неподдерживаемая частота кадров: %1 fps.</translation>
    </message>
    <message>
        <source>%1: missing scene title.</source>
        <translation>%1: нет названия сцены.</translation>
    </message>
    <message>
        <source>%1: duration must be greater than zero.</source>
        <translation>%1: длительность должна быть больше нуля.</translation>
    </message>
    <message>
        <source>%1: on-screen text is too long (%2/%3).</source>
        <translation>%1: текст на экране слишком длинный (%2/%3).</translation>
    </message>
    <message>
        <source>%1: missing production note.</source>
        <translation>%1: нет production-заметки.</translation>
    </message>
    <message>
        <source>%1: missing visual reference.</source>
        <translation>%1: нет визуального референса.</translation>
    </message>
    <message>
        <source>The project has no title.</source>
        <translation>У проекта нет названия.</translation>
    </message>
    <message>
        <source>Untitled</source>
        <translation>Без названия</translation>
    </message>
    <message>
        <source>Scene</source>
        <translation>Сцена</translation>
    </message>
    <message>
        <source>No scenes in the project: start one with a line “# Title”.</source>
        <translation>В проекте нет сцен: начните сцену строкой «# Название».</translation>
    </message>
</context>
<context>
    <name>veskel::AppCommands</name>
    <message>
        <source>File</source>
        <translation>Файл</translation>
    </message>
    <message>
        <source>New Scene</source>
        <translation>Новая сцена</translation>
    </message>
    <message>
        <source>New Project…</source>
        <translation>Новый проект…</translation>
    </message>
    <message>
        <source>Export to Final Cut Pro…</source>
        <translation>Экспорт в Final Cut Pro…</translation>
    </message>
    <message>
        <source>Settings…</source>
        <translation>Настройки…</translation>
    </message>
    <message>
        <source>Quit Veskel</source>
        <translation>Выйти из Veskel</translation>
    </message>
    <message>
        <source>View</source>
        <translation>Вид</translation>
    </message>
    <message>
        <source>Title Bar</source>
        <translation>Тайтл-бар</translation>
    </message>
    <message>
        <source>Timeline</source>
        <translation>Таймлайн</translation>
    </message>
    <message>
        <source>Markup Bar</source>
        <translation>Панель разметки</translation>
    </message>
    <message>
        <source>Markup</source>
        <translation>Разметка</translation>
    </message>
    <message>
        <source>Scene (# heading)</source>
        <translation>Сцена (# заголовок)</translation>
    </message>
    <message>
        <source>Voiceover</source>
        <translation>Голос за кадром</translation>
    </message>
    <message>
        <source>On-Slide Text (&gt;)</source>
        <translation>Текст на слайде (&gt;)</translation>
    </message>
    <message>
        <source>Note (//)</source>
        <translation>Заметка (//)</translation>
    </message>
    <message>
        <source>Hide Projects</source>
        <translation>Скрыть проекты</translation>
    </message>
    <message>
        <source>Show Projects</source>
        <translation>Показать проекты</translation>
    </message>
    <message>
        <source>Hide Timeline</source>
        <translation>Скрыть таймлайн</translation>
    </message>
    <message>
        <source>Show Timeline</source>
        <translation>Показать таймлайн</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Справка</translation>
    </message>
    <message>
        <source>About Veskel</source>
        <translation>О программе Veskel</translation>
    </message>
    <message>
        <source>About Qt</source>
        <translation>О Qt</translation>
    </message>
    <message>
        <source>Browse Versions…</source>
        <translation>Просмотреть версии…</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>Правка</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>Отменить</translation>
    </message>
    <message>
        <source>Redo</source>
        <translation>Повторить</translation>
    </message>
    <message>
        <source>Cut</source>
        <translation>Вырезать</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Копировать</translation>
    </message>
    <message>
        <source>Paste</source>
        <translation>Вставить</translation>
    </message>
    <message>
        <source>Select All</source>
        <translation>Выделить всё</translation>
    </message>
    <message>
        <source>Find…</source>
        <translation>Найти…</translation>
    </message>
    <message>
        <source>Project Settings…</source>
        <translation>Настройки проекта…</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>Воспроизвести</translation>
    </message>
</context>
<context>
    <name>veskel::AppModel</name>
    <message>
        <source>New Project</source>
        <translation>Новый проект</translation>
    </message>
    <message>
        <source>“%1” is not in the projects folder %2.</source>
        <translation>«%1» находится вне папки проектов %2.</translation>
    </message>
</context>
<context>
    <name>veskel::CompactDurationField</name>
    <message>
        <source>Longer by half a second</source>
        <translation>Длиннее на полсекунды</translation>
    </message>
    <message>
        <source>Shorter by half a second</source>
        <translation>Короче на полсекунды</translation>
    </message>
</context>
<context>
    <name>veskel::ContentPlaceholderView</name>
    <message>
        <source>Select or create a project</source>
        <translation>Выберите или создайте проект</translation>
    </message>
    <message>
        <source>Projects are stored in %1</source>
        <translation>Проекты сохраняются в %1</translation>
    </message>
    <message>
        <source>Open the Sample Project</source>
        <translation>Открыть пример проекта</translation>
    </message>
    <message>
        <source>A short video in seven scenes, to look around and try the export.</source>
        <translation>Короткий ролик из семи сцен: можно осмотреться и попробовать экспорт.</translation>
    </message>
</context>
<context>
    <name>veskel::ExportFailureView</name>
    <message>
        <source>Export failed</source>
        <translation>Экспорт не удался</translation>
    </message>
    <message>
        <source>Retry</source>
        <translation>Повторить</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Закрыть</translation>
    </message>
</context>
<context>
    <name>veskel::ExportProgressView</name>
    <message>
        <source>Preparing the export package…</source>
        <translation>Готовим пакет экспорта…</translation>
    </message>
    <message>
        <source>Rendering cards: %1 of %2</source>
        <translation>Рендерим карточки: %1 из %2</translation>
    </message>
    <message>
        <source>Writing the cards, FCPXML, OpenTimelineIO timeline, storyboard PDF, shot list and scene list.</source>
        <translation>Записываем карточки, FCPXML, таймлайн OpenTimelineIO, PDF-раскадровку, шот-лист и список сцен.</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Отмена</translation>
    </message>
    <message>
        <source>Writing the animatic: frame %1 of %2</source>
        <translation>Запись аниматика: кадр %1 из %2</translation>
    </message>
</context>
<context>
    <name>veskel::ExportReviewView</name>
    <message>
        <source>Will be created</source>
        <translation>Будет создано</translation>
    </message>
    <message>
        <source>Fix before exporting</source>
        <translation>Нужно исправить перед экспортом</translation>
    </message>
    <message>
        <source>Warnings (export still possible)</source>
        <translation>Предупреждения (экспорт возможен)</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Отмена</translation>
    </message>
    <message>
        <source>Export</source>
        <translation>Экспортировать</translation>
    </message>
    <message>
        <source>Animatic video with scratch narration</source>
        <translation>Видео-аниматик с черновой озвучкой</translation>
    </message>
    <message>
        <source>Adds %1_animatic.mp4 and a voiceover read aloud per scene in Narration, heard under the cards in the FCPXML and the OpenTimelineIO timeline.</source>
        <translation>Добавляет %1_animatic.mp4 и озвучку каждой сцены в папке Narration; в FCPXML и таймлайне OpenTimelineIO она звучит под карточками.</translation>
    </message>
</context>
<context>
    <name>veskel::ExportSheet</name>
    <message>
        <source>Export to Final Cut Pro</source>
        <translation>Экспорт в Final Cut Pro</translation>
    </message>
</context>
<context>
    <name>veskel::ExportSuccessView</name>
    <message>
        <source>Export finished</source>
        <translation>Экспорт завершён</translation>
    </message>
    <message>
        <source>Folder: </source>
        <translation>Папка: </translation>
    </message>
    <message>
        <source>Warnings</source>
        <translation>Предупреждения</translation>
    </message>
    <message>
        <source>Show in Finder</source>
        <translation>Показать в Finder</translation>
    </message>
    <message>
        <source>Show in File Manager</source>
        <translation>Показать в файловом менеджере</translation>
    </message>
    <message>
        <source>Open FCPXML</source>
        <translation>Открыть FCPXML</translation>
    </message>
    <message>
        <source>Copy Path</source>
        <translation>Скопировать путь</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>Готово</translation>
    </message>
    <message>
        <source>No file manager could show the folder. It is %1</source>
        <translation>Ни один файловый менеджер не смог показать папку. Она здесь: %1</translation>
    </message>
    <message>
        <source>No application here opens the FCPXML. It is %1</source>
        <translation>Здесь нет приложения, которое открывает FCPXML. Файл здесь: %1</translation>
    </message>
    <message>
        <source>Path copied</source>
        <translation>Путь скопирован</translation>
    </message>
</context>
<context>
    <name>veskel::ExportViewModel</name>
    <message>
        <source>Export updated. Import the same FCPXML into Final Cut Pro and choose “Replace”.</source>
        <translation>Экспорт обновлён. Импортируйте тот же FCPXML в Final Cut Pro и выберите «Заменить».</translation>
    </message>
    <message>
        <source>First export is ready. Import the FCPXML into Final Cut Pro.</source>
        <translation>Первый экспорт готов. Импортируйте FCPXML в Final Cut Pro.</translation>
    </message>
</context>
<context>
    <name>veskel::MarkupToolbar</name>
    <message>
        <source>Scene</source>
        <translation>Сцена</translation>
    </message>
    <message>
        <source>Scene heading%1: a “# Title” line opens a new scene — everything until the next # belongs to it</source>
        <translation>Заголовок сцены%1: строка «# Название» открывает новую сцену — весь текст до следующего # принадлежит ей</translation>
    </message>
    <message>
        <source>Voice</source>
        <translation>Голос</translation>
    </message>
    <message>
        <source>Voiceover%1: a plain paragraph with no prefix</source>
        <translation>Голос за кадром%1: обычный абзац без префикса</translation>
    </message>
    <message>
        <source>Slide</source>
        <translation>Слайд</translation>
    </message>
    <message>
        <source>On-slide text%1: the line starts with “&gt; ”</source>
        <translation>Текст на слайде%1: строка начинается с «&gt; »</translation>
    </message>
    <message>
        <source>Note</source>
        <translation>Заметка</translation>
    </message>
    <message>
        <source>Note%1 — what&apos;s on screen, directions: the line starts with “// ”, never exported</source>
        <translation>Заметка%1 — что на экране, ремарки: строка начинается с «// », в экспорт не попадает</translation>
    </message>
    <message>
        <source>Running Time</source>
        <translation>Хронометраж</translation>
    </message>
    <message>
        <source>Total duration of all scenes</source>
        <translation>Суммарная длительность всех сцен</translation>
    </message>
</context>
<context>
    <name>veskel::MaterialsPopover</name>
    <message>
        <source>Untitled</source>
        <translation>Без названия</translation>
    </message>
    <message>
        <source>Jump to scene</source>
        <translation>Перейти к сцене</translation>
    </message>
    <message>
        <source>No marked scenes yet</source>
        <translation>Пока нет размеченных сцен</translation>
    </message>
</context>
<context>
    <name>veskel::NarrationFitSection</name>
    <message>
        <source>Fit to Narration</source>
        <translation>Подогнать под озвучку</translation>
    </message>
    <message>
        <source>Narration %1 s is longer than the scene (%2 s)</source>
        <translation>Озвучка (%1 с) длиннее сцены (%2 с)</translation>
    </message>
</context>
<context>
    <name>veskel::NewProjectSheet</name>
    <message>
        <source>New Project</source>
        <translation>Новый проект</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Название</translation>
    </message>
    <message>
        <source>Project name</source>
        <translation>Название проекта</translation>
    </message>
    <message>
        <source>Format</source>
        <translation>Формат</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Отмена</translation>
    </message>
    <message>
        <source>Create</source>
        <translation>Создать</translation>
    </message>
</context>
<context>
    <name>veskel::OutsideChangeBar</name>
    <message>
        <source>Open Copy</source>
        <translation>Открыть копию</translation>
    </message>
    <message>
        <source>Dismiss</source>
        <translation>Скрыть</translation>
    </message>
    <message>
        <source>The project was changed outside Veskel while you were editing. That version was kept as “%1”; this window’s version was saved.</source>
        <translation>Пока вы редактировали, проект изменили вне Veskel. Та версия сохранена как «%1»; версия из этого окна записана.</translation>
    </message>
</context>
<context>
    <name>veskel::PlayerPanel</name>
    <message>
        <source>Paused</source>
        <translation>Пауза</translation>
    </message>
</context>
<context>
    <name>veskel::ProjectAutosaver</name>
    <message>
        <source>%1 (changed outside)</source>
        <translation>%1 (изменено вне Veskel)</translation>
    </message>
</context>
<context>
    <name>veskel::ProjectEditorView</name>
    <message>
        <source>Undo</source>
        <translation>Отменить</translation>
    </message>
    <message>
        <source>Redo</source>
        <translation>Повторить</translation>
    </message>
    <message>
        <source>Search the script</source>
        <translation>Поиск по сценарию</translation>
    </message>
    <message>
        <source>Materials — what the film is made of</source>
        <translation>Материалы — что нужно подготовить для фильма</translation>
    </message>
    <message>
        <source>Paste text from clipboard or import .md</source>
        <translation>Вставить текст из буфера или импортировать .md</translation>
    </message>
    <message>
        <source>Import .md…</source>
        <translation>Импортировать .md…</translation>
    </message>
    <message>
        <source>Markdown or text (*.md *.markdown *.txt);;All files (*)</source>
        <translation>Markdown или текст (*.md *.markdown *.txt);;Все файлы (*)</translation>
    </message>
    <message>
        <source>Paste from Clipboard</source>
        <translation>Вставить из буфера</translation>
    </message>
    <message>
        <source>Focus mode: sentence, paragraph or typewriter</source>
        <translation>Режим фокуса: предложение, абзац или печатная машинка</translation>
    </message>
    <message>
        <source>Turn Off Focus</source>
        <translation>Выключить фокус</translation>
    </message>
    <message>
        <source>Hide Projects</source>
        <translation>Скрыть проекты</translation>
    </message>
    <message>
        <source>Show Projects</source>
        <translation>Показать проекты</translation>
    </message>
</context>
<context>
    <name>veskel::ProjectSettingsDialog</name>
    <message>
        <source>Project Settings</source>
        <translation>Настройки проекта</translation>
    </message>
</context>
<context>
    <name>veskel::ProjectSidebarDelegate</name>
    <message>
        <source>Project name</source>
        <translation>Название проекта</translation>
    </message>
    <message>
        <source>Folder name</source>
        <translation>Название папки</translation>
    </message>
    <message>
        <source>Export to Final Cut Pro</source>
        <translation>Экспорт в Final Cut Pro</translation>
    </message>
    <message>
        <source>No scenes in the project</source>
        <translation>В проекте нет сцен</translation>
    </message>
</context>
<context>
    <name>veskel::ProjectSidebarModel</name>
    <message>
        <source>New Folder</source>
        <translation>Новая папка</translation>
    </message>
    <message>
        <source>conflict copy beside it</source>
        <translation>рядом копия конфликта</translation>
    </message>
</context>
<context>
    <name>veskel::ProjectSidebarView</name>
    <message>
        <source>Filter</source>
        <translation>Фильтр</translation>
    </message>
    <message>
        <source>New folder</source>
        <translation>Новая папка</translation>
    </message>
    <message>
        <source>Project sorting and order</source>
        <translation>Сортировка и порядок проектов</translation>
    </message>
    <message>
        <source>Sort By</source>
        <translation>Сортировка</translation>
    </message>
    <message>
        <source>Order</source>
        <translation>Порядок</translation>
    </message>
    <message>
        <source>A → Z</source>
        <translation>А → Я</translation>
    </message>
    <message>
        <source>Newest on Top</source>
        <translation>Новые сверху</translation>
    </message>
    <message>
        <source>Z → A</source>
        <translation>Я → А</translation>
    </message>
    <message>
        <source>Oldest on Top</source>
        <translation>Старые сверху</translation>
    </message>
    <message>
        <source>Pin Folders to Top</source>
        <translation>Папки сверху</translation>
    </message>
    <message>
        <source>New project</source>
        <translation>Создать проект</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Настройки</translation>
    </message>
    <message>
        <source>Rename Folder</source>
        <translation>Переименовать папку</translation>
    </message>
    <message>
        <source>Delete Folder</source>
        <translation>Удалить папку</translation>
    </message>
    <message>
        <source>Export</source>
        <translation>Экспорт</translation>
    </message>
    <message>
        <source>Rename</source>
        <translation>Переименовать</translation>
    </message>
    <message>
        <source>Duplicate</source>
        <translation>Дублировать</translation>
    </message>
    <message>
        <source>Move To</source>
        <translation>Переместить в</translation>
    </message>
    <message>
        <source>Root (no folder)</source>
        <translation>Корень (без папки)</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Удалить</translation>
    </message>
</context>
<context>
    <name>veskel::ProjectTreeModel</name>
    <message>
        <source>Projects</source>
        <translation>Проекты</translation>
    </message>
</context>
<context>
    <name>veskel::SceneCommands</name>
    <message>
        <source>New scene</source>
        <translation>Новая сцена</translation>
    </message>
    <message>
        <source>Untitled</source>
        <translation>Без названия</translation>
    </message>
</context>
<context>
    <name>veskel::SceneDetailsPopover</name>
    <message>
        <source>What the viewer sees</source>
        <translation>Что видит зритель</translation>
    </message>
    <message>
        <source>Recalculate from text length</source>
        <translation>Пересчитать по длине текста</translation>
    </message>
    <message>
        <source>Reference</source>
        <translation>Референс</translation>
    </message>
    <message>
        <source>Final Cut card</source>
        <translation>Карточка для Final Cut</translation>
    </message>
</context>
<context>
    <name>veskel::SceneImageSection</name>
    <message>
        <source>Replace…</source>
        <translation>Заменить…</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Удалить</translation>
    </message>
    <message>
        <source>Add reference…</source>
        <translation>Добавить референс…</translation>
    </message>
    <message>
        <source>PNG, JPEG, WebP, GIF, SVG or PDF</source>
        <translation>PNG, JPEG, WebP, GIF, SVG или PDF</translation>
    </message>
    <message>
        <source>Choose a Reference Image</source>
        <translation>Выберите картинку-референс</translation>
    </message>
    <message>
        <source>Images</source>
        <translation>Изображения</translation>
    </message>
</context>
<context>
    <name>veskel::SceneTimelineView</name>
    <message>
        <source>The film appears here once scenes are marked in the text</source>
        <translation>Фильм появится здесь, когда в тексте будут размечены сцены</translation>
    </message>
    <message>
        <source>No visual</source>
        <translation>Без визуала</translation>
    </message>
    <message>
        <source>Text without a visual — click to jump to the paragraphs</source>
        <translation>Текст без визуала — кликните, чтобы перейти к абзацам</translation>
    </message>
    <message>
        <source>Untitled</source>
        <translation>Без названия</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Пауза</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>Воспроизвести</translation>
    </message>
</context>
<context>
    <name>veskel::SceneTypeChips</name>
    <message>
        <source>Change visual type: </source>
        <translation>Изменить тип визуала: </translation>
    </message>
</context>
<context>
    <name>veskel::ScriptEditorView</name>
    <message>
        <source># Scene title

Voiceover…

&gt; On-slide text

// Note</source>
        <translation># Название сцены

Текст диктора…

&gt; Текст на слайде

// Заметка</translation>
    </message>
</context>
<context>
    <name>veskel::ScriptGutter</name>
    <message>
        <source>Draft — text without a scene</source>
        <translation>Черновик — текст без сцены</translation>
    </message>
    <message>
        <source>Click for scene settings</source>
        <translation>Клик — настройки сцены</translation>
    </message>
    <message>
        <source>Scene Type</source>
        <translation>Тип сцены</translation>
    </message>
    <message>
        <source>Recalculate Timing from Text</source>
        <translation>Пересчитать тайминг по тексту</translation>
    </message>
    <message>
        <source>Delete Scene (Keep Text)</source>
        <translation>Удалить сцену (текст останется)</translation>
    </message>
</context>
<context>
    <name>veskel::ScriptMargin</name>
    <message>
        <source>Reference: </source>
        <translation>Референс: </translation>
    </message>
</context>
<context>
    <name>veskel::ScriptSearchPanel</name>
    <message>
        <source>Search</source>
        <translation>Поиск</translation>
    </message>
    <message>
        <source>Find and replace</source>
        <translation>Найти и заменить</translation>
    </message>
    <message>
        <source>Replace with</source>
        <translation>Заменить на</translation>
    </message>
    <message>
        <source>Replace</source>
        <translation>Заменить</translation>
    </message>
    <message>
        <source>All</source>
        <translation>Все</translation>
    </message>
    <message>
        <source>Replace all occurrences</source>
        <translation>Заменить все вхождения</translation>
    </message>
    <message>
        <source>No results</source>
        <translation>Ничего не найдено</translation>
    </message>
    <message>
        <source>The document is empty</source>
        <translation>Документ пуст</translation>
    </message>
    <message>
        <source>Untitled</source>
        <translation>Без названия</translation>
    </message>
    <message>
        <source>Match case</source>
        <translation>Учитывать регистр</translation>
    </message>
    <message>
        <source>Whole words</source>
        <translation>Слова целиком</translation>
    </message>
</context>
<context>
    <name>veskel::SettingsView</name>
    <message>
        <source>“Match System” follows the macOS language: Russian or English.</source>
        <translation>«Как в системе» использует язык macOS: русский или английский.</translation>
    </message>
    <message>
        <source>“Match System” follows the system language: Russian or English.</source>
        <translation>«Как в системе» использует язык системы: русский или английский.</translation>
    </message>
    <message>
        <source>General</source>
        <translation>Основные</translation>
    </message>
    <message>
        <source>Editor</source>
        <translation>Редактор</translation>
    </message>
    <message>
        <source>Match system appearance</source>
        <translation>Как в системе</translation>
    </message>
    <message>
        <source>Appearance</source>
        <translation>Оформление</translation>
    </message>
    <message>
        <source>Title bar</source>
        <translation>Тайтл-бар</translation>
    </message>
    <message>
        <source>Timeline</source>
        <translation>Таймлайн</translation>
    </message>
    <message>
        <source>Markup bar</source>
        <translation>Панель разметки</translation>
    </message>
    <message>
        <source>Swipe to show Projects</source>
        <translation>Показывать проекты свайпом</translation>
    </message>
    <message>
        <source>Two-finger swipe right shows the project list; swipe left hides it.</source>
        <translation>Свайп двумя пальцами вправо открывает список проектов, влево — прячет.</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Язык</translation>
    </message>
    <message>
        <source>Text size</source>
        <translation>Размер текста</translation>
    </message>
    <message>
        <source>Scene headings and notes scale together with the body text.</source>
        <translation>Заголовки сцен и заметки масштабируются вместе с основным текстом.</translation>
    </message>
    <message>
        <source>Line spacing</source>
        <translation>Межстрочный интервал</translation>
    </message>
    <message>
        <source>Column width</source>
        <translation>Ширина колонки</translation>
    </message>
    <message>
        <source>Reset to Defaults</source>
        <translation>Сбросить</translation>
    </message>
</context>
<context>
    <name>veskel::SettingsWindow</name>
    <message>
        <source>Settings</source>
        <translation>Настройки</translation>
    </message>
</context>
<context>
    <name>veskel::SpeakingRateField</name>
    <message>
        <source> words a minute</source>
        <translation> слов в минуту</translation>
    </message>
    <message>
        <source>Paces the duration estimate and the narration</source>
        <translation>Задаёт темп оценки длительности и озвучки</translation>
    </message>
    <message>
        <source>Speaking rate</source>
        <translation>Темп речи</translation>
    </message>
</context>
<context>
    <name>veskel::TimelineMenus</name>
    <message>
        <source>Add a scene here — pick a visual type</source>
        <translation>Добавить сцену здесь — выберите тип визуала</translation>
    </message>
    <message>
        <source>Scene Type</source>
        <translation>Тип сцены</translation>
    </message>
    <message>
        <source>Add Scene Before</source>
        <translation>Добавить сцену до</translation>
    </message>
    <message>
        <source>Add Scene After</source>
        <translation>Добавить сцену после</translation>
    </message>
    <message>
        <source>Duplicate</source>
        <translation>Дублировать</translation>
    </message>
    <message>
        <source>Move Earlier</source>
        <translation>Сдвинуть раньше</translation>
    </message>
    <message>
        <source>Move Later</source>
        <translation>Сдвинуть позже</translation>
    </message>
    <message>
        <source>Delete (Keep Text)</source>
        <translation>Удалить (текст останется)</translation>
    </message>
</context>
<context>
    <name>veskel::TrashNotice</name>
    <message>
        <source>Moved to Trash</source>
        <translation>Перемещено в Корзину</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>Отменить</translation>
    </message>
</context>
<context>
    <name>veskel::VersionBrowserDialog</name>
    <message>
        <source>conflict copy</source>
        <translation>копия конфликта</translation>
    </message>
    <message>
        <source>Versions of “%1”</source>
        <translation>Версии «%1»</translation>
    </message>
    <message>
        <source>No versions yet: every save keeps the one before it here.</source>
        <translation>Версий пока нет: каждое сохранение оставляет здесь предыдущее.</translation>
    </message>
    <message>
        <source>Restore This Version</source>
        <translation>Восстановить эту версию</translation>
    </message>
</context>
</TS>
