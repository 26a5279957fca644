// Linked into test programs whose main windows need no molecule editor: their dialogs find
// no editor page and show the no-editor layout, so no browser engine starts in them.
#include <QCoreApplication>

#include "Zelmar_DrawletDialog.h"

namespace {

void UseNoEditorPage() {
    TZelmarDrawletDialog::SetDrawletFolder(QStringLiteral("/nonexistent/zelmar-test/Drawlet"));
}

}  // namespace

Q_COREAPP_STARTUP_FUNCTION(UseNoEditorPage)
