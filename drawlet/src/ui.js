// The page around the editor: the chiral badge, the small info dialog, the periodic
// table behind the hidden tool bar, and the caption of whatever dialog is open.

export function createPageUi(texts) {
  const badge = document.getElementById('chiral-badge');
  badge.textContent = texts.chiral;
  const info = document.getElementById('info-dialog');
  info.querySelector('.caption').textContent = texts.info;
  info.querySelector('button').textContent = texts.ok;
  info.querySelector('button').addEventListener('click', () => {
    info.hidden = true;
  });
  const body = info.querySelector('.body');

  // calculate: answers a promise of the structure service's formula and weight.
  function showInfo(calculate, blank) {
    info.hidden = false;
    if (blank) {
      body.textContent = texts.empty;
      return;
    }
    body.textContent = texts.busy;
    calculate()
      .then((r) => {
        body.textContent = `${texts.formula}: ${String(r.gross ?? '').replace(/\s+/g, '')}\n${texts.weight}: ${r['molecular-weight'] ?? ''}`;
      })
      .catch(() => {
        body.textContent = texts.failed;
      });
  }

  // The editor's own dialogs are <dialog> elements with their title in a header.
  function editorDialogCaption() {
    const dialog = document.querySelector('.Ketcher-root dialog');
    if (!dialog) return '';
    const caption = dialog.querySelector('header')?.textContent.trim();
    return caption || 'Dialog';
  }

  return {
    showChiral(on) {
      badge.hidden = !on;
    },
    showInfo,
    openPeriodicTable() {
      const button = document.querySelector('[data-testid="period-table"]');
      if (!button) return false;
      button.click();
      return true;
    },
    activeDialogCaption() {
      if (!info.hidden) return texts.info;
      return editorDialogCaption();
    },
  };
}
