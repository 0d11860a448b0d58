// A static file server for the site on 127.0.0.1, with the content types a page
// needs (.wasm as application/wasm, for streaming compilation). Nothing but files
// inside the site's folder is served, and no request ends the server:
//   400  a path that is not well formed (bad percent-encoding, a null byte)
//   405  a method other than GET and HEAD
//   404  a file that is not there, or that lies outside the site's folder
//        (also through a symbolic link)
//   node web/serve.js SITE_DIR [PORT]     (default port 8000; 0 picks a free one)
// Prints "serving http://127.0.0.1:PORT/" once it listens.
'use strict';
const http = require('http');
const fs = require('fs');
const path = require('path');

const root = fs.realpathSync(path.resolve(process.argv[2] || '.'));
const port = Number(process.argv[3] || 8000);
const types = {
  '.html': 'text/html; charset=utf-8',
  '.js': 'text/javascript; charset=utf-8',
  '.css': 'text/css; charset=utf-8',
  '.wasm': 'application/wasm',
  '.config': 'text/plain; charset=utf-8',
  '.webmanifest': 'application/manifest+json',
  '.png': 'image/png',
};

// The decoded path of the request, or null when it is not well formed.
function pathOf(url) {
  try {
    const decoded = decodeURIComponent(new URL(url, 'http://localhost').pathname);
    return decoded.includes('\0') ? null : decoded;
  } catch {
    return null;
  }
}

function answer(response, status, text) {
  response.writeHead(status, { 'Content-Type': 'text/plain; charset=utf-8' }).end(text + '\n');
}

const server = http.createServer((request, response) => {
  if (request.method !== 'GET' && request.method !== 'HEAD') {
    response.setHeader('Allow', 'GET, HEAD');
    answer(response, 405, 'method not allowed');
    return;
  }
  const urlPath = pathOf(request.url);
  if (urlPath === null) {
    answer(response, 400, 'bad request');
    return;
  }
  const asked = path.join(root, urlPath.endsWith('/') ? urlPath + 'index.html' : urlPath);
  // The real file, links followed, must still lie inside the site.
  fs.realpath(asked, (error, file) => {
    if (error || !file.startsWith(root + path.sep)) {
      answer(response, 404, 'not found');
      return;
    }
    fs.readFile(file, (readError, body) => {
      if (readError) {
        answer(response, 404, 'not found');
        return;
      }
      response.writeHead(200, {
        'Content-Type': types[path.extname(file)] || 'application/octet-stream',
        'Cache-Control': 'no-cache',
      });
      response.end(request.method === 'HEAD' ? undefined : body);
    });
  });
});
// A client that sends garbage gets 400 from node itself; the server goes on.
server.on('clientError', (error, socket) => {
  if (socket.writable)
    socket.end('HTTP/1.1 400 Bad Request\r\nConnection: close\r\n\r\n');
});

server.listen(port, '127.0.0.1', () => {
  console.log(`serving http://127.0.0.1:${server.address().port}/`);
});
