// The molfile text helpers of the editor page, under node's own test runner.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { chiralFlagOf, isReactionText, isV3000, needsV3000, withChiralFlag } from '../src/molText.js';

const v2000 = (chiral) =>
  ['ethanol', '  Zelmar', '', `  3  2  0  0  ${chiral}  0  0  0  0  0999 V2000`,
   '    0.0000    0.0000    0.0000 C   0  0', '    1.0000    0.0000    0.0000 C   0  0',
   '    2.0000    0.0000    0.0000 O   0  0', '  1  2  1  0', '  2  3  1  0', 'M  END', ''].join('\n');

const v3000 = (chiral) =>
  ['', '  Zelmar', '', '  0  0  0     0  0            999 V3000', 'M  V30 BEGIN CTAB',
   `M  V30 COUNTS 1 0 0 0 ${chiral}`, 'M  V30 BEGIN ATOM', 'M  V30 1 C 0 0 0 0', 'M  V30 END ATOM',
   'M  V30 END CTAB', 'M  END', ''].join('\n');

test('the chiral flag is read from V2000 and V3000 counts', () => {
  assert.equal(chiralFlagOf(v2000(1)), true);
  assert.equal(chiralFlagOf(v2000(0)), false);
  assert.equal(chiralFlagOf(v3000(1)), true);
  assert.equal(chiralFlagOf(v3000(0)), false);
  assert.equal(chiralFlagOf(v2000(1).replace(/\n/g, '\r\n')), true);
  assert.equal(chiralFlagOf(''), false);
});

test('setting the chiral flag changes only that field', () => {
  assert.equal(withChiralFlag(v2000(0), true), v2000(1));
  assert.equal(withChiralFlag(v2000(1), false), v2000(0));
  assert.equal(withChiralFlag(v3000(0), true), v3000(1));
  assert.equal(withChiralFlag(v3000(1), true), v3000(1));
});

test('texts that are no molfile, and reactions, are left alone', () => {
  const rxn = '$RXN\n\n  Zelmar\n\n  1  1\n$MOL\n' + v2000(0);
  assert.equal(withChiralFlag(rxn, true), rxn);
  assert.equal(withChiralFlag('garbage', true), 'garbage');
  assert.equal(withChiralFlag('a\nb\nc\n  3  2  0', true), 'a\nb\nc\n  3  2  0');
  assert.equal(isReactionText(rxn), true);
  assert.equal(isReactionText(v2000(0)), false);
  assert.equal(isV3000(v3000(0)), true);
  assert.equal(isV3000(v2000(0)), false);
});

test('V3000 is needed beyond 999 atoms or bonds', () => {
  assert.equal(needsV3000(999, 999), false);
  assert.equal(needsV3000(1000, 10), true);
  assert.equal(needsV3000(10, 1000), true);
});
