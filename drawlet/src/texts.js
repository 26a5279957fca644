// The page's own few texts in German, English and French; the page's "lang"
// parameter chooses (German when it is missing or unknown).
const texts = {
  de: { info: 'Info', formula: 'Summenformel', weight: 'Molekulargewicht', empty: 'Keine Struktur gezeichnet.', busy: 'Wird berechnet …', failed: 'Nicht berechenbar.', ok: 'OK', chiral: 'Chiral' },
  en: { info: 'Info', formula: 'Formula', weight: 'Molecular weight', empty: 'No structure drawn.', busy: 'Calculating …', failed: 'Cannot be calculated.', ok: 'OK', chiral: 'Chiral' },
  fr: { info: 'Info', formula: 'Formule brute', weight: 'Masse molaire', empty: 'Aucune structure dessinée.', busy: 'Calcul en cours …', failed: 'Calcul impossible.', ok: 'OK', chiral: 'Chiral' },
};

export function pageLanguage(search) {
  const lang = new URLSearchParams(search ?? '').get('lang')?.toLowerCase().slice(0, 2);
  return lang in texts ? lang : 'de';
}

export function textsFor(lang) {
  return texts[lang] ?? texts.de;
}
