#include "core/ImageList.h"

#include <QHash>

// The resources of a static library are registered by hand: nothing else links them in.
static void registerImageList()
{
    Q_INIT_RESOURCE(imagelist);
}

namespace {
const char *pictureOf(int index)
{
    switch (static_cast<ImageIndex>(index)) {
    case imgDocSaved: return "doc-saved";
    case imgEditorPage: return "editor-page";
    case imgPreviewPage: return "preview-page";
    case imgSuccess: return "success";
    case imgErrors: return "errors";
    case imgWarnings: return "warnings";
    case imgUndo: return "undo";
    case imgUndoOff: return "undo-off";
    case imgRedo: return "redo";
    case imgRedoOff: return "redo-off";
    case imgSaveActive: return "save-active";
    case imgDocModified: return "doc-modified";
    case imgSaveIdle: return "save-idle";
    case imgNew: return "new";
    case imgOpen: return "open";
    case imgAnalyze: return "analyze";
    case imgClean: return "clean";
    case imgUndoClean: return "undo-clean";
    case imgOptimizer: return "optimizer";
    case imgImageResize: return "image-resize";
    case imgEntities: return "entities";
    case imgWordWrap: return "word-wrap";
    case imgHiddenChars: return "hidden-chars";
    case imgPrevious: return "previous";
    case imgNext: return "next";
    case imgReload: return "reload";
    case imgClose: return "close";
    case imgTag: break;
    case imgAddOption: return "add-option";
    case imgDeleteOption: return "delete-option";
    }
    return "tag";
}
} // namespace

QIcon ImageList1(int index)
{
    [[maybe_unused]] static const bool registered = (registerImageList(), true);
    static QHash<int, QIcon> cache;
    auto it = cache.find(index);
    if (it == cache.end())
        it = cache.insert(index, QIcon(QStringLiteral(":/imagelist/%1.svg").arg(QLatin1String(pictureOf(index)))));
    return *it;
}

QPixmap ImageListPixmap(int index, int size)
{
    return ImageList1(index).pixmap(size, size);
}
