#pragma once
// The program's own pictures: SVG files in the program's resources, looked up by index.
#include <QIcon>
#include <QPixmap>

enum ImageIndex : int {
    imgDocSaved = 0,
    imgEditorPage = 1,
    imgPreviewPage = 2,
    imgSuccess = 7,
    imgErrors = 8,
    imgWarnings = 9,
    imgUndo = 12,
    imgUndoOff = 13,
    imgRedo = 14,
    imgRedoOff = 15,
    imgSaveActive = 25,
    imgDocModified = 28,
    imgSaveIdle = 29,
    imgDocRenamed = 29,
    // Tool buttons.
    imgNew = 100,
    imgOpen,
    imgAnalyze,
    imgClean,
    imgUndoClean,
    imgOptimizer,
    imgImageResize,
    imgEntities,
    imgWordWrap,
    imgHiddenChars,
    imgPrevious,
    imgNext,
    imgReload,
    imgClose,
    imgTag,
    imgAddOption,
    imgDeleteOption,
};

// An index without a picture of its own shows the tag picture.
QPixmap ImageListPixmap(int index, int size = 16);
QIcon ImageList1(int index);
