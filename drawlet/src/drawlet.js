// The DRAWLET adapter: the commands of the host's tool bars mapped onto the editor's
// tools, molfile and reaction file in and out, and the caption of an open dialog.
// Every call answers at once: what the structure service computes in the background
// is kept ready and announced to the host when it changes.
import { Bond, KetSerializer, MolSerializer, Pile, RxnArrowMode } from 'ketcher-core';
import { ringStruct, ringTemplates } from './rings';
import { chiralFlagOf, isReactionText, isV3000, needsV3000, withChiralFlag } from './molText';

const TYPE = Bond.PATTERN.TYPE;
const STEREO = Bond.PATTERN.STEREO;
const bond = (type, stereo = STEREO.NONE) => ({ type, stereo });

// Commands that only choose a tool: [tool name, tool options].
const toolCommands = {
  SelectClick: ['select', 'rectangle'],
  MoveClick: ['hand'],
  DeleteClick: ['eraser', 1],
  SingleBondClick: ['bond', bond(TYPE.SINGLE)],
  DoubleBondClick: ['bond', bond(TYPE.DOUBLE)],
  TripleBondClick: ['bond', bond(TYPE.TRIPLE)],
  StereoBondUpClick: ['bond', bond(TYPE.SINGLE, STEREO.UP)],
  StereoBondDownClick: ['bond', bond(TYPE.SINGLE, STEREO.DOWN)],
  AnyBondClick: ['bond', bond(TYPE.ANY)],
  ChainClick: ['chain'],
  BracketClick: ['sgroup'],
  PlusClick: ['reactionplus'],
  RXNArrowClick: ['reactionarrow', RxnArrowMode.OpenAngle],
  MappingClick: ['reactionmap'],
  ChargePlusClick: ['charge', 1],
  ChargeMinusClick: ['charge', -1],
};
for (const label of ['C', 'N', 'O', 'S', 'F', 'Cl', 'Br', 'P']) {
  toolCommands[`Atom${label}Click`] = ['atom', { label }];
}
for (const label of ['A', 'Q']) {
  toolCommands[`Atom${label}Click`] = ['atom', { label, pseudo: label, type: 'gen' }];
}

function prepareForEditor(struct) {
  struct.initHalfBonds();
  struct.initNeighbors();
  struct.setImplicitHydrogen();
  struct.setStereoLabelsToAtoms();
  struct.markFragments();
  return struct;
}

// A text of the drawing without time stamps, to tell whether anything changed.
function fingerprint(struct) {
  try {
    return new KetSerializer().serialize(struct);
  } catch {
    return null;
  }
}

export function createDrawlet(ketcher, ui, host) {
  const editor = ketcher.editor;
  let chiral = false;
  let original = null; // the text handed in, with its chiral flag and the drawing it gave
  let revision = 0;
  let serviceText = { revision: -1, text: '' };
  let verdict = { revision: -1, same: false };
  let notifyPending = false;

  const guard = (name, body, neutral) => (...args) => {
    try {
      return body(...args);
    } catch (e) {
      console.error(`DRAWLET.${name}: ${e?.message ?? e}`);
      return neutral;
    }
  };

  // The drawing without the faint preview a ring tool shows under the mouse.
  function struct() {
    const drawn = editor.struct();
    const previewAtoms = [...drawn.atoms.values()].some((a) => a.isPreview);
    const previewBonds = [...drawn.bonds.values()].some((b) => b.isPreview);
    if (!previewAtoms && !previewBonds) return drawn;
    const atoms = new Pile([...drawn.atoms].filter(([, a]) => !a.isPreview).map(([id]) => id));
    const bonds = new Pile([...drawn.bonds].filter(([, b]) => !b.isPreview && atoms.has(b.begin) && atoms.has(b.end)).map(([id]) => id));
    return drawn.clone(atoms, bonds);
  }
  const isReaction = () => struct().hasRxnArrow();
  const isBlank = () => struct().isBlank();

  // Whether the drawing is still the one handed in; worked out once per change, since
  // comparing large drawings takes a while.
  function unchanged() {
    if (original === null || chiral !== original.chiral) return false;
    if (verdict.revision !== revision) {
      const s = struct();
      const same = s.atoms.size === original.atoms && s.bonds.size === original.bonds && fingerprint(s) === original.print;
      verdict = { revision, same };
    }
    return verdict.same;
  }

  // The drawing written here, or null when this writer cannot take it (too large for
  // V2000, or parts it does not know); the structure service writes those.
  function writeLocal() {
    const s = struct();
    if (!isReaction() && needsV3000(s.atoms.size, s.bonds.size)) return null;
    try {
      const text = new MolSerializer().serialize(s);
      return isReaction() ? text : withChiralFlag(text, chiral);
    } catch (e) {
      return null;
    }
  }

  // The drawing as text: the original text while nothing changed, else written here, else
  // the last text the structure service wrote.
  function drawingText() {
    if (isBlank()) return '';
    if (unchanged()) return original.text;
    return writeLocal() ?? serviceText.text;
  }

  function askService() {
    if (isBlank() || unchanged() || writeLocal() !== null) return;
    const asked = revision;
    const request = isReaction() ? ketcher.getRxn() : ketcher.getMolfile('v3000');
    request
      .then((text) => {
        if (asked !== revision) return;
        serviceText = { revision: asked, text: isReaction() ? text : withChiralFlag(text, chiral) };
        announce();
      })
      .catch((e) => console.error(`DRAWLET: the structure service could not write the drawing: ${e?.message ?? e}`));
  }

  // Tells the host the current drawing once per burst of changes.
  function announce() {
    if (notifyPending) return;
    notifyPending = true;
    setTimeout(() => {
      notifyPending = false;
      try {
        const text = drawingText();
        host.drawingChanged(text, isReaction() ? text : '');
      } catch (e) {
        console.error(`DRAWLET: announcing a change failed: ${e?.message ?? e}`);
      }
    }, 0);
  }

  editor.subscribe('change', () => {
    revision += 1;
    askService();
    announce();
  });

  function show(struct) {
    prepareForEditor(struct);
    struct.rescale();
    editor.struct(struct, false);
    editor.zoom(1); // the last drawing's zoom must not shrink this one
    editor.zoomAccordingContent(struct);
    editor.centerStruct();
  }

  function clearDrawing() {
    original = null;
    serviceText = { revision: -1, text: '' };
    chiral = false;
    ui.showChiral(false);
    editor.clear();
    editor.zoom(1);
  }

  // Reads the text here when it can, else through the structure service.
  function load(text) {
    const source = String(text ?? '');
    if (!source.trim()) {
      clearDrawing();
      return true;
    }
    const flag = !isReactionText(source) && chiralFlagOf(source);
    const remember = () => {
      chiral = flag;
      ui.showChiral(chiral);
      const s = struct();
      original = { text: source, chiral, atoms: s.atoms.size, bonds: s.bonds.size, print: fingerprint(s) };
      revision += 1;
      verdict = { revision, same: true };
      // Until the structure service has written an edit of this drawing, its last
      // known text is the one handed in; never a text of the drawing before.
      serviceText = { revision, text: source };
      askService();
      announce();
    };
    let parsed;
    try {
      parsed = new MolSerializer({ ignoreChiralFlag: true }).deserialize(source);
    } catch (e) {
      if (!isV3000(source) && !isReactionText(source)) throw e;
      ketcher.setMolecule(source).then(remember, (err) => console.error(`DRAWLET: ${err?.message ?? err}`));
      return true;
    }
    show(parsed);
    remember();
    return true;
  }

  const api = {};
  for (const [name, [tool, opts]] of Object.entries(toolCommands)) {
    api[name] = guard(name, () => Boolean(editor.tool(tool, opts)), false);
  }
  for (const [name, molfile] of Object.entries(ringTemplates)) {
    api[name] = guard(name, () => Boolean(editor.tool('template', { struct: ringStruct(molfile) })), false);
  }
  Object.assign(api, {
    NewClick: guard('NewClick', () => (clearDrawing(), true), false),
    UndoClick: guard('UndoClick', () => (editor.undo(), true), false),
    CrossHairClick: guard('CrossHairClick', () => (editor.centerStruct(), true), false),
    ArrangeClick: guard('ArrangeClick', () => (ketcher.layout().catch((e) => console.error(e)), true), false),
    ChiralClick: guard('ChiralClick', () => {
      chiral = !chiral;
      ui.showChiral(chiral);
      revision += 1;
      askService();
      announce();
      return true;
    }, false),
    InfoClick: guard('InfoClick', () => {
      const properties = ['gross', 'molecular-weight'];
      ui.showInfo(() => ketcher.indigo.calculate(struct(), { properties }), isBlank());
      return true;
    }, false),
    AtomXClick: guard('AtomXClick', () => ui.openPeriodicTable(), false),
    setMolFile: guard('setMolFile', (text) => load(text), false),
    setRxnFile: guard('setRxnFile', (text) => load(text), false),
    getMolFile: guard('getMolFile', () => drawingText(), ''),
    getRxnFile: guard('getRxnFile', () => (isReaction() ? drawingText() : ''), ''),
    getActiveDialogCaption: guard('getActiveDialogCaption', () => ui.activeDialogCaption(), ''),
  });
  return api;
}
