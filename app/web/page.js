// The page's side of the web front end (an emscripten JavaScript library):
// the few things the game asks of the page's elements, and fetching the
// pictures at start-up. Everything else is in the WebAssembly.
mergeInto(LibraryManager.library, {
  // Fetches every file named (one a line) beside the page, all at once, and
  // keeps each one the server gave; a file the server did not give is left
  // out, and the game then finds it missing as it would on a disk.
  barmen_fetch: function (names) {
    const list = UTF8ToString(names).split('\n').filter(function (name) { return name; });
    const keep = function (name, buffer) {
      const bytes = new Uint8Array(buffer);
      const size = lengthBytesUTF8(name) + 1;
      const text = _malloc(size);
      stringToUTF8(name, text, size);
      const data = _malloc(bytes.length || 1);
      HEAPU8.set(bytes, data);
      _barmen_keep(text, data, bytes.length);
      _free(data);
      _free(text);
    };
    Promise.all(list.map(function (name) {
      return fetch(encodeURIComponent(name))
        .then(function (response) { return response.ok ? response.arrayBuffer() : null; })
        .catch(function () { return null; })
        .then(function (buffer) { if (buffer) keep(name, buffer); });
    })).then(function () {
      _barmen_ready();
      const form = document.getElementById('Form1');
      form.removeAttribute('aria-busy');
      form.dataset.ready = 'ready';
    });
  },

  barmen_set_text: function (text) {
    const box = document.getElementById('Text1');
    box.value = UTF8ToString(text);
    box.scrollTop = 0;
  },

  // Draws the picture into the control's canvas, which takes the picture's
  // size; the picture stored with the window goes once a scene shows one.
  barmen_show_picture: function (id, rgba, width, height) {
    const control = document.getElementById(UTF8ToString(id));
    const stored = control.querySelector('img');
    if (stored) stored.remove();
    const canvas = control.querySelector('canvas');
    if (canvas.width !== width) canvas.width = width;
    if (canvas.height !== height) canvas.height = height;
    canvas.style.setProperty('--w', width);
    canvas.style.setProperty('--h', height);
    canvas.hidden = false;
    const pixels = new Uint8ClampedArray(HEAPU8.buffer, rgba, width * height * 4);
    canvas.getContext('2d').putImageData(new ImageData(pixels, width, height), 0, 0);
  },

  // One message at a time, in a modal dialog: the window takes no click
  // until the player has closed it (its button, Enter or Escape).
  barmen_show_message: function (text) {
    const dialog = document.getElementById('message');
    document.getElementById('message-text').textContent = UTF8ToString(text);
    const ok = document.getElementById('message-ok');
    ok.onclick = function () { dialog.close(); };
    dialog.showModal();
    ok.focus();
  },

  // A page cannot close its own tab: the window goes, and one line says so.
  barmen_quit: function () {
    document.getElementById('Form1').remove();
    const ended = document.getElementById('ended');
    ended.hidden = false;
    ended.querySelector('a').focus();
  },
});
