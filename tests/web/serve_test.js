// web/serve.js answers every request and keeps serving: run as
//   node tests/web/serve_test.js
// with a site folder of its own (a page, a folder and links in and out of it).
'use strict';
const assert = require('assert');
const { spawn } = require('child_process');
const fs = require('fs');
const net = require('net');
const os = require('os');
const path = require('path');

// The reply to a raw request, so that paths reach the server unmended.
function replyTo(port, request) {
  return new Promise((resolve, reject) => {
    const socket = net.connect(port, '127.0.0.1', () => socket.write(request));
    let reply = '';
    socket.on('data', (data) => { reply += data; });
    socket.on('end', () => resolve(reply));
    socket.on('error', reject);
  });
}

// The status line's code of a raw request.
const statusOf = async (port, request) => Number((await replyTo(port, request)).split(' ')[1]);

async function main() {
  const work = fs.mkdtempSync(path.join(os.tmpdir(), 'lurkfield-serve-'));
  const site = path.join(work, 'site');
  fs.mkdirSync(path.join(site, 'sub'), { recursive: true });
  fs.writeFileSync(path.join(site, 'index.html'), '<p>page</p>');
  fs.writeFileSync(path.join(site, 'manifest.webmanifest'), '{}');
  fs.writeFileSync(path.join(site, 'icon.png'), '');
  fs.writeFileSync(path.join(work, 'secret.txt'), 'secret');
  fs.symlinkSync(path.join(work, 'secret.txt'), path.join(site, 'out'));
  fs.symlinkSync(path.join(site, 'index.html'), path.join(site, 'in.html'));
  const server = spawn('node', [path.join(__dirname, '../../web/serve.js'), site, '0']);
  try {
    const port = await new Promise((resolve) => {
      server.stdout.on('data', (data) => resolve(Number(/:(\d+)\//.exec(String(data))[1])));
    });
    const cases = [
      ['GET / HTTP/1.0\r\n\r\n', 200],
      ['HEAD /index.html HTTP/1.0\r\n\r\n', 200],
      ['GET /in.html HTTP/1.0\r\n\r\n', 200],
      ['GET /%00 HTTP/1.0\r\n\r\n', 400],
      ['GET /%zz HTTP/1.0\r\n\r\n', 400],
      ['GET /index.html%00.js HTTP/1.0\r\n\r\n', 400],
      ['POST / HTTP/1.0\r\n\r\n', 405],
      ['DELETE /index.html HTTP/1.0\r\n\r\n', 405],
      ['GET /../secret.txt HTTP/1.0\r\n\r\n', 404],
      ['GET /%2e%2e/secret.txt HTTP/1.0\r\n\r\n', 404],
      ['GET /out HTTP/1.0\r\n\r\n', 404],
      ['GET /sub HTTP/1.0\r\n\r\n', 404],
      ['GET /missing.js HTTP/1.0\r\n\r\n', 404],
      ['garbage\r\n\r\n', 400],
      ['GET / HTTP/1.0\r\n\r\n', 200],
    ];
    for (const [request, status] of cases)
      assert.strictEqual(await statusOf(port, request), status, JSON.stringify(request));
    // What an installable page needs, with its type.
    for (const [file, type] of [['manifest.webmanifest', 'application/manifest+json'], ['icon.png', 'image/png'],
      ['index.html', 'text/html; charset=utf-8']]) {
      const reply = await replyTo(port, `GET /${file} HTTP/1.0\r\n\r\n`);
      assert.match(reply, new RegExp(`^content-type: ${type.replace('+', '\\+')}\r$`, 'mi'), file);
    }
  } finally {
    server.kill();
    fs.rmSync(work, { recursive: true, force: true });
  }
  console.log('serve.js: every request answered');
}

main().catch((error) => {
  console.error(error);
  process.exit(1);
});
