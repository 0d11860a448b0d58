// The page's address as a link to a world or an experiment:
//   #config=<settings>                          opens the page on these settings
//   #config=<settings>&experiment=<options>     and runs this experiment of them
// Each part is percent-encoded. Reading a part gives null when the address has
// none, and throws a URIError when it cannot be decoded.
const settingsMark = '#config=';
const experimentMark = '&experiment=';

function part(start, end) {
  return decodeURIComponent(location.hash.slice(start, end < 0 ? undefined : end));
}

export function linkedSettings() {
  if (!location.hash.startsWith(settingsMark)) return null;
  return part(settingsMark.length, location.hash.indexOf(experimentMark));
}

export function linkedExperiment() {
  const at = location.hash.indexOf(experimentMark);
  if (!location.hash.startsWith(settingsMark) || at < 0) return null;
  return part(at + experimentMark.length, -1);
}

// The address of this page on the settings, and on the experiment when given.
export function linkTo(settings, experimentOptions = null) {
  const url = new URL(location.href);
  url.hash = settingsMark.slice(1) + encodeURIComponent(settings) +
    (experimentOptions === null ? '' : experimentMark + encodeURIComponent(experimentOptions));
  return url.href;
}
