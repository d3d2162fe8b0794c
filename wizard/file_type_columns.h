#pragma once
// The two columns of the associations page's list: the file types' short texts in
// the first third, their descriptions in the rest less a margin for the scroll bar.
namespace lumora {

struct FileTypeColumnWidths {
  int listText = 0;
  int description = 0;
};

// `listWidth` is the list window's width in pixels, `dpi` its device context's
// horizontal pixels per inch (0 when there is none: 96).
FileTypeColumnWidths FileTypeColumnWidthsFor(int listWidth, int dpi);

}  // namespace lumora
