// The JavaScript half of the browser back end (BrowserBackEnd.h says what it
// serves): the board canvas as the window, its events in one queue that the
// program takes in at each GetMessageW, and a <dialog> as the message box.
// An Emscripten library (--js-library); each instance of the module has its own.

mergeInto(LibraryManager.library, {
  $win32Browser: {
    // Events in the order they happened: [kind, a, b].
    events: [],
    // The number of each kind, given by the program when the window opens (BrowserEvent
    // in BrowserBackEnd.h).
    kinds: null,
    // Set while the program sleeps in browser_wait: resumes it.
    wake: null,
    // The client area in device pixels, as the program last heard of it.
    client: { width: 0, height: 0 },
    // Ends the window's listeners at once.
    listening: null,
    observer: null,
    context: null,

    queue: function (event) {
      win32Browser.events.push(event);
      const wake = win32Browser.wake;
      if (wake) {
        win32Browser.wake = null;
        wake();
      }
    },

    // The character a key types, as WM_CHAR would carry it; 0 for none.
    characterOf: function (key) {
      if (key.ctrlKey || key.altKey || key.metaKey || key.isComposing) return 0;
      switch (key.key) {
        case 'Escape': return 27;
        case 'Enter': return 13;
        case 'Backspace': return 8;
      }
      const code = key.key.length === 1 ? key.key.charCodeAt(0) : 0;
      return code < 0x80 ? code : 0;
    },

    // A point of the canvas in client pixels, from a pointer event.
    clientPoint: function (canvas, event) {
      const box = canvas.getBoundingClientRect();
      const client = win32Browser.client;
      const along = (offset, cssLength, pixels) =>
        Math.min(pixels - 1, Math.max(0, Math.floor(offset * pixels / cssLength)));
      return [along(event.clientX - box.left, box.width, client.width),
              along(event.clientY - box.top, box.height, client.height)];
    },

    listen: function (canvas) {
      const listening = new AbortController();
      win32Browser.listening = listening;
      const options = { signal: listening.signal };
      canvas.addEventListener('keydown', (key) => {
        const character = win32Browser.characterOf(key);
        if (character === 0) return;
        key.preventDefault(); // space must not scroll the page
        win32Browser.queue([win32Browser.kinds.character, character, 0]);
      }, options);
      canvas.addEventListener('pointerdown', (pointer) => {
        if (pointer.button !== 0 || win32Browser.client.width === 0) return;
        const [x, y] = win32Browser.clientPoint(canvas, pointer);
        win32Browser.queue([win32Browser.kinds.click, x, y]);
      }, options);
      const observer = new ResizeObserver((entries) => {
        const entry = entries[entries.length - 1];
        const box = entry.devicePixelContentBoxSize && entry.devicePixelContentBoxSize[0];
        const width = box ? box.inlineSize : Math.round(entry.contentRect.width * devicePixelRatio);
        const height = box ? box.blockSize : Math.round(entry.contentRect.height * devicePixelRatio);
        const client = win32Browser.client;
        if (width === client.width && height === client.height) return;
        win32Browser.client = { width: width, height: height };
        win32Browser.queue([win32Browser.kinds.resize, width, height]);
      });
      try {
        observer.observe(canvas, { box: 'device-pixel-content-box' });
      } catch (notSupported) {
        observer.observe(canvas);
      }
      win32Browser.observer = observer;
    },
  },

  browser_start__deps: ['$win32Browser'],
  browser_start: function () {
    return Module['canvas'] ? 1 : 0;
  },

  browser_open_window__deps: ['$win32Browser'],
  browser_open_window: function (character, click, resize, close, redraw) {
    win32Browser.kinds = { character: character, click: click, resize: resize, close: close, redraw: redraw };
    const canvas = Module['canvas'];
    const box = canvas.getBoundingClientRect();
    win32Browser.client = {
      width: Math.round(box.width * devicePixelRatio),
      height: Math.round(box.height * devicePixelRatio),
    };
    win32Browser.events = [];
    win32Browser.listen(canvas);
    Module['closeWindow'] = () => win32Browser.queue([win32Browser.kinds.close, 0, 0]);
    // A character from the page's own controls, taken in exactly as a key's.
    Module['typeCharacter'] = (character) =>
      win32Browser.queue([win32Browser.kinds.character, character, 0]);
    // The page changed what the board shows (another turn): the window paints it afresh.
    Module['redrawWindow'] = () => win32Browser.queue([win32Browser.kinds.redraw, 0, 0]);
  },

  browser_client_width__deps: ['$win32Browser'],
  browser_client_width: function () {
    return win32Browser.client.width;
  },

  browser_client_height__deps: ['$win32Browser'],
  browser_client_height: function () {
    return win32Browser.client.height;
  },

  browser_show_window: function () {
    const canvas = Module['canvas'];
    const wasVisible = canvas.style.visibility === 'visible';
    canvas.style.visibility = 'visible';
    return wasVisible ? 1 : 0;
  },

  browser_close_window__deps: ['$win32Browser'],
  browser_close_window: function () {
    if (win32Browser.listening) win32Browser.listening.abort();
    if (win32Browser.observer) win32Browser.observer.disconnect();
    win32Browser.listening = null;
    win32Browser.observer = null;
    win32Browser.events = [];
    delete Module['closeWindow'];
    delete Module['typeCharacter'];
    delete Module['redrawWindow'];
    Module['canvas'].style.visibility = 'hidden';
  },

  browser_present__deps: ['$win32Browser'],
  browser_present: function (rgba, width, height) {
    const canvas = Module['canvas'];
    if (canvas.width !== width) canvas.width = width;
    if (canvas.height !== height) canvas.height = height;
    if (width === 0 || height === 0) return;
    if (!win32Browser.context) win32Browser.context = canvas.getContext('2d');
    const pixels = new Uint8ClampedArray(HEAPU8.buffer, rgba, width * height * 4);
    win32Browser.context.putImageData(new ImageData(pixels, width, height), 0, 0);
    // The page's recording takes a frame of every repaint.
    if (Module['onPresent']) Module['onPresent']();
  },

  browser_next_event__deps: ['$win32Browser'],
  browser_next_event: function (event) {
    const next = win32Browser.events.shift();
    if (!next) return 0;
    HEAP32[event >> 2] = next[0];
    HEAP32[(event >> 2) + 1] = next[1];
    HEAP32[(event >> 2) + 2] = next[2];
    return 1;
  },

  browser_wait__deps: ['$win32Browser'],
  browser_wait: function () {
    return Asyncify.handleSleep((wakeUp) => {
      if (win32Browser.events.length > 0) wakeUp();
      else win32Browser.wake = wakeUp;
    });
  },

  browser_message_box: function (caption, text) {
    return Asyncify.handleSleep((wakeUp) => {
      const dialog = document.createElement('dialog');
      dialog.className = 'message-box';
      dialog.setAttribute('aria-labelledby', 'message-box-caption');
      dialog.setAttribute('aria-describedby', 'message-box-text');
      const heading = document.createElement('h2');
      heading.id = 'message-box-caption';
      heading.textContent = UTF8ToString(caption);
      const message = document.createElement('p');
      message.id = 'message-box-text';
      message.textContent = UTF8ToString(text);
      const form = document.createElement('form');
      form.method = 'dialog';
      const ok = document.createElement('button');
      ok.textContent = 'OK';
      form.append(ok);
      dialog.append(heading, message, form);
      // OK, Return (OK has the focus) and Escape all close it.
      dialog.addEventListener('close', () => {
        dialog.remove();
        wakeUp();
      }, { once: true });
      document.body.append(dialog);
      dialog.showModal();
      ok.focus();
    });
  },

  browser_get_message_hook: function () {
    if (Module['onGetMessage']) Module['onGetMessage']();
  },

  browser_program_end: function (exitCode) {
    if (Module['onProgramEnd']) Module['onProgramEnd'](exitCode);
  },
});
