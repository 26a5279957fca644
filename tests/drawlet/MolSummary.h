// What a V2000 molfile says about its chemistry, without coordinates or layout:
// two summaries are equal when the files hold the same atoms, bonds and properties.
#pragma once

#include <QString>
#include <QStringList>
#include <map>
#include <set>

struct TMolSummary {
    bool Valid = false;
    std::multiset<QString> Atoms;   // symbol, charge, isotope, atom map
    std::multiset<QString> Bonds;   // the two atoms' keys, order, stereo
    std::multiset<QString> Lists;   // atom lists ("M  ALS" without the atom number)
    std::multiset<QString> Groups;  // S-group types
    int Chiral = 0;

    bool operator==(const TMolSummary& o) const {
        return Valid == o.Valid && Atoms == o.Atoms && Bonds == o.Bonds && Lists == o.Lists &&
               Groups == o.Groups;
    }

    static TMolSummary Of(const QString& text) {
        TMolSummary s;
        const QStringList lines = text.split('\n');
        if (lines.size() < 4 || !lines[3].contains("V2000")) return s;
        const QString counts = lines[3];
        const int atoms = counts.mid(0, 3).trimmed().toInt();
        const int bonds = counts.mid(3, 3).trimmed().toInt();
        s.Chiral = counts.mid(12, 3).trimmed().toInt();
        if (lines.size() < 4 + atoms + bonds) return s;
        struct Atom {
            QString symbol;
            int charge = 0;
            int isotope = 0;
            int map = 0;
        };
        std::map<int, Atom> atom;
        for (int i = 1; i <= atoms; ++i) {
            const QString l = lines[3 + i].trimmed() == "" ? QString() : lines[3 + i];
            atom[i].symbol = l.mid(31, 3).trimmed();
            atom[i].map = l.mid(60, 3).trimmed().toInt();
            // The old charge column: 1..7 mean +3, +2, +1, radical, -1, -2, -3.
            static const int oldCharge[] = {0, 3, 2, 1, 0, -1, -2, -3};
            const int code = l.mid(36, 3).trimmed().toInt();
            atom[i].charge = code >= 0 && code <= 7 ? oldCharge[code] : 0;
        }
        for (int i = 4 + atoms + bonds; i < lines.size(); ++i) {
            const QString l = lines[i];
            if (l.startsWith("M  END")) break;
            const QStringList f = l.simplified().split(' ');
            if ((l.startsWith("M  CHG") || l.startsWith("M  ISO")) && f.size() >= 3) {
                for (int k = 3; k + 1 < f.size(); k += 2) {
                    const int a = f[k].toInt();
                    (l.startsWith("M  CHG") ? atom[a].charge : atom[a].isotope) = f[k + 1].toInt();
                }
            } else if (l.startsWith("M  ALS") && f.size() >= 4) {
                s.Lists.insert(atom[f[2].toInt()].symbol + "|" + f.mid(4).join(' '));
            } else if (l.startsWith("M  STY")) {
                for (int k = 4; k < f.size(); k += 2) s.Groups.insert(f[k]);
            }
        }
        auto key = [&](int i) {
            const Atom& a = atom[i];
            return QString("%1/%2/%3/%4").arg(a.symbol).arg(a.charge).arg(a.isotope).arg(a.map);
        };
        for (int i = 1; i <= atoms; ++i) s.Atoms.insert(key(i));
        for (int i = 1; i <= bonds; ++i) {
            const QString l = lines[3 + atoms + i];
            QString a = key(l.mid(0, 3).trimmed().toInt());
            QString b = key(l.mid(3, 3).trimmed().toInt());
            const int stereo = l.mid(9, 3).trimmed().toInt();
            if (stereo == 0 && b < a) std::swap(a, b);  // direction matters only for wedges
            s.Bonds.insert(QString("%1-%2:%3:%4").arg(a, b, l.mid(6, 3).trimmed()).arg(stereo));
        }
        s.Valid = true;
        return s;
    }
};
