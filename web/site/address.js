// The page's address as a link to a world, a turn of it, or an experiment:
//   #config=<settings>                          opens the page on these settings
//   #config=<settings>&turn=<T>                 and shows turn T of their game
//   #config=<settings>&experiment=<options>     and runs this experiment of them
// Each part is percent-encoded (so no part holds an '&'). Reading a part gives
// null when the address has none, and throws a URIError when it cannot be decoded.
const settingsMark = '#config=';

// The address's parts by name, or null when it is no link.
function parts() {
  if (!location.hash.startsWith(settingsMark)) return null;
  const found = new Map();
  for (const part of location.hash.slice(1).split('&')) {
    const at = part.indexOf('=');
    if (at > 0 && !found.has(part.slice(0, at))) found.set(part.slice(0, at), part.slice(at + 1));
  }
  return found;
}

function linked(name) {
  const found = parts();
  return found && found.has(name) ? decodeURIComponent(found.get(name)) : null;
}

export const linkedSettings = () => linked('config');
export const linkedExperiment = () => linked('experiment');
// The turn as the link writes it (text: the page decides whether it is one).
export const linkedTurn = () => linked('turn');

// The address of this page on the settings, and at the turn or on the
// experiment when given.
export function linkTo(settings, { turn = null, experiment = null } = {}) {
  const url = new URL(location.href);
  url.hash = `config=${encodeURIComponent(settings)}` + (turn === null ? '' : `&turn=${turn}`) +
    (experiment === null ? '' : `&experiment=${encodeURIComponent(experiment)}`);
  return url.href;
}
