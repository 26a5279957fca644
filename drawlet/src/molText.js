// Small text helpers for MDL molfiles and reaction files. They know nothing of the
// editor, so that node's test runner can check them on their own.

export function splitLines(text) {
  return String(text ?? '').split(/\r?\n/);
}

export function isReactionText(text) {
  return /^\$RXN/m.test(String(text ?? ''));
}

export function isV3000(text) {
  return /V3000/.test(splitLines(text)[3] ?? '');
}

// The chiral flag of a molfile: field 5 of the V2000 counts line, or the fifth
// number of the V3000 COUNTS line.
export function chiralFlagOf(text) {
  const lines = splitLines(text);
  const counts = lines[3] ?? '';
  if (/V3000/.test(counts)) {
    const line = lines.find((l) => /^M {2}V30 COUNTS /.test(l));
    return line ? line.trim().split(/\s+/)[7] === '1' : false;
  }
  return counts.substring(12, 15).trim() === '1';
}

// The molfile with its chiral flag set or cleared; other text is returned as it came.
export function withChiralFlag(text, chiral) {
  const lines = splitLines(text);
  if (lines.length < 4 || isReactionText(text)) return text;
  const counts = lines[3];
  if (/V3000/.test(counts)) {
    const at = lines.findIndex((l) => /^M {2}V30 COUNTS /.test(l));
    if (at < 0) return text;
    const fields = lines[at].trim().split(/\s+/).slice(2);
    if (fields.length < 6) return text;
    fields[5] = chiral ? '1' : '0';
    lines[at] = `M  V30 ${fields.join(' ')}`;
    return lines.join('\n');
  }
  if (!/V2000/.test(counts) || counts.length < 15) return text;
  lines[3] = counts.substring(0, 12) + (chiral ? '  1' : '  0') + counts.substring(15);
  return lines.join('\n');
}

// V2000 counts lines hold three digits: larger drawings need V3000.
export function needsV3000(atomCount, bondCount) {
  return atomCount > 999 || bondCount > 999;
}
