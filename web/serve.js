// A static file server for the site on 127.0.0.1, with the content types a page
// needs (.wasm as application/wasm, for streaming compilation). Nothing but files
// inside the site's folder is served.
//   node web/serve.js SITE_DIR [PORT]     (default port 8000; 0 picks a free one)
// Prints "serving http://127.0.0.1:PORT/" once it listens.
'use strict';
const http = require('http');
const fs = require('fs');
const path = require('path');

const root = path.resolve(process.argv[2] || '.');
const port = Number(process.argv[3] || 8000);
const types = {
  '.html': 'text/html; charset=utf-8',
  '.js': 'text/javascript; charset=utf-8',
  '.css': 'text/css; charset=utf-8',
  '.wasm': 'application/wasm',
  '.config': 'text/plain; charset=utf-8',
};

const server = http.createServer((request, response) => {
  const urlPath = decodeURIComponent(new URL(request.url, 'http://localhost').pathname);
  const file = path.join(root, urlPath.endsWith('/') ? urlPath + 'index.html' : urlPath);
  if (!file.startsWith(root + path.sep) || request.method !== 'GET' && request.method !== 'HEAD') {
    response.writeHead(404).end();
    return;
  }
  fs.readFile(file, (error, body) => {
    if (error) {
      response.writeHead(404, { 'Content-Type': 'text/plain' }).end('not found\n');
      return;
    }
    response.writeHead(200, {
      'Content-Type': types[path.extname(file)] || 'application/octet-stream',
      'Cache-Control': 'no-cache',
    });
    response.end(request.method === 'HEAD' ? undefined : body);
  });
});

server.listen(port, '127.0.0.1', () => {
  console.log(`serving http://127.0.0.1:${server.address().port}/`);
});
