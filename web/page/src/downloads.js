// Files leave the page as plain downloads.
export function download(name, bytes, type = 'application/octet-stream') {
  const url = URL.createObjectURL(new Blob([bytes], { type }));
  const link = document.createElement('a');
  link.href = url;
  link.download = name;
  document.body.append(link);
  link.click();
  link.remove();
  setTimeout(() => URL.revokeObjectURL(url), 10000);
}

// A chosen or dropped file's bytes.
export async function bytesOf(file) {
  return new Uint8Array(await file.arrayBuffer());
}
