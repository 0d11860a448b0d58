// Offers something to keep to the browser's downloads, under a file name: the
// board's pictures and movies, an experiment's files. `content` is a Blob, or
// bytes or text and the type to give them.
export function offerDownload(content, name, type) {
  const link = document.createElement('a');
  link.href = URL.createObjectURL(content instanceof Blob ? content : new Blob([content], { type }));
  link.download = name;
  document.body.append(link);
  link.click();
  link.remove();
  // The browser has taken the file by then; the address is only memory.
  setTimeout(() => URL.revokeObjectURL(link.href), 60000);
}
