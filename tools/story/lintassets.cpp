// The checks that need Qt: the story box as the Qt window lays it out, and
// the picture files themselves.
#include <map>
#include <optional>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "app/qt/storybox.h"
#include "pictures/load.h"
#include "story/labels.h"
#include "story/pictures.h"
#include "system/failure.h"
#include "tools/story/lint.h"
#include "tools/story/tables.h"

namespace barmen::storytool {

namespace {

std::string quoted(std::string_view s)
{
    return "\"" + std::string(s) + "\"";
}

// Where a picture is first shown and how often, so a missing file is
// reported once rather than at every row that shows it.
struct PictureUse {
    std::string slot;   // bg or ch
    std::string_view file;
    std::string_view button;
    std::string_view label;
    int places = 0;
};

std::vector<PictureUse> pictureUses(const Story &story)
{
    std::vector<PictureUse> uses;
    std::map<std::pair<std::string, std::string_view>, std::size_t> index;
    auto note = [&](std::string slot, std::string_view file, std::string_view button, std::string_view label) {
        if (file.empty())
            return;
        const auto [it, fresh] = index.try_emplace({slot, file}, uses.size());
        if (fresh)
            uses.push_back({slot, file, button, label});
        ++uses[it->second].places;
    };
    for (const Button &button : buttonsOf(story))
        for (const SceneRow &row : button.table->rows()) {
            note("bg", row.bg, button.name, row.label);
            note("ch", row.ch, button.name, row.label);
        }
    // The start button's title screen.
    note("bg", story.title.bg, "start", story.title.label);
    note("ch", story.title.ch, "start", story.title.label);
    return uses;
}

// Judged by the file's first bytes: Qt's reader trusts a ".jpg" name before
// the content, and the game decodes by content alone.
bool hasSignature(const QString &path, const std::string &slot)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray head = file.read(6);
    if (slot == "bg")
        return head.startsWith("\xFF\xD8\xFF");
    return head == "GIF87a" || head == "GIF89a";
}

std::optional<std::string> pictureProblem(const QDir &dir, const PictureUse &use)
{
    const QString path = dir.filePath(QString::fromUtf8(use.file.data(), qsizetype(use.file.size())));
    const QFileInfo info(path);
    if (!info.exists())
        return "is not a file in " + dir.absolutePath().toStdString();
    if (!info.isFile())
        return std::string("is a folder, not a picture");
    if (!hasSignature(path, use.slot))
        return std::string(use.slot == "bg" ? "is not a JPEG file" : "is not a GIF file");
    // Decoded by the game's own loader, so what passes here shows in the game.
    const pictures::Loaded loaded = pictures::load(path.toStdString());
    if (loaded.image.null())
        return "does not decode: " + system::pictureReason(loaded.problem.kind, loaded.detail);
    return std::nullopt;
}

} // namespace

namespace {

// Lines are measured in the game's own font: a box drawn in another face
// would pass or fail lines the player never sees.
std::vector<Fault> lintQtStoryBox(const Story &story)
{
    const StoryBoxMeasure box;
    const QString family = box.family();
    if (family != QStringLiteral("NanumGothic") && family != QStringLiteral("나눔고딕"))
        return {{{}, {}, "cannot measure lines: the text box font is drawn with " + family.toStdString()
                             + ", not NanumGothic (install fonts-nanum)"}};
    return lintStoryBox(story, box);
}

} // namespace

std::vector<Fault> lintPictures(const Story &story, const std::string &assetsDir)
{
    std::vector<Fault> faults;
    const QDir dir(QString::fromStdString(assetsDir));
    for (const PictureUse &use : pictureUses(story)) {
        const std::optional<std::string> problem = pictureProblem(dir, use);
        if (!problem)
            continue;
        std::string text = use.slot + " " + quoted(use.file) + " " + *problem;
        if (use.places > 1)
            text += " (shown in " + std::to_string(use.places) + " places)";
        faults.push_back({std::string(use.button), std::string(use.label), std::move(text)});
    }
    return faults;
}

std::vector<Fault> lint(const Story &story, const std::string &assetsDir)
{
    std::vector<Fault> faults = lintTables(story);
    for (std::vector<Fault> more : {lintQtStoryBox(story), lintPictures(story, assetsDir)})
        faults.insert(faults.end(), more.begin(), more.end());
    return faults;
}

} // namespace barmen::storytool
