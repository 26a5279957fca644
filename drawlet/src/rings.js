// Ring templates of the ring tools, one molfile each, drawn with bond length 1.
import { MolSerializer } from 'ketcher-core';
import cyclopropane from '../templates/cyclopropane.mol';
import cyclobutane from '../templates/cyclobutane.mol';
import cyclopentane from '../templates/cyclopentane.mol';
import cyclopentadiene from '../templates/cyclopentadiene.mol';
import cyclohexane from '../templates/cyclohexane.mol';
import benzene1 from '../templates/benzene-1.mol';
import benzene2 from '../templates/benzene-2.mol';
import cycloheptane from '../templates/cycloheptane.mol';
import cyclooctane from '../templates/cyclooctane.mol';

export const ringTemplates = {
  TriangleClick: cyclopropane,
  SquareClick: cyclobutane,
  Pentagon1Click: cyclopentane,
  Pentagon2Click: cyclopentadiene,
  Hexagon1Click: cyclohexane,
  Hexagon2Click: benzene1,
  Hexagon3Click: benzene2,
  HeptagonClick: cycloheptane,
  OctagonClick: cyclooctane,
};

// The template tool takes a parsed structure; a fresh one per use, since the tool keeps it.
export function ringStruct(molfile) {
  return new MolSerializer().deserialize(molfile);
}
