#pragma once
// Datei -> Exportieren...: asks for the format, the records and the file, then writes the
// current sheet with progress that can be stopped. The sheet itself stays as it is.

class QWidget;
class TZelmarWindow;

// True when a file was written.
bool ExportSheetAsked(QWidget* owner, TZelmarWindow* sheet);
