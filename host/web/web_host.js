// web_host.js: the page side of the browser's host (web_host.cpp), as an
// Emscripten JavaScript library.
//
// The window is the canvas, which fills the page and has as many pixels as
// the screen shows there (the device pixel ratio), so the game lays itself
// out and reads the pointer in real pixels. Full screen is the page's, asked
// for inside the F11 key's own event (a browser refuses it later) and
// otherwise when the game opens its window in full screen. The sound starts
// with the first key or click (browsers start audio only then); what was
// played before it stays unheard. The state file lives in IndexedDB: it is
// read into the file system before the game starts and written back after
// each save, whose fsync asks for it.
//
// The page (web/index.html) gives Module: onSaveFailed(error) hears of a
// save the browser did not keep. This library adds to Module: whenSaved()
// (a promise settled once every save so far is kept or failed) and
// stopGame() (no further frame or event reaches the game).

var LibraryWebHost = {
  $WebHost__deps: ['$Browser', '$GLFW', '$GL', '$AL', '$FS', '$JSEvents'],
  $WebHost__postset: 'WebHost.init();',
  $WebHost: {
    // The game's working directory: data/ (the preloaded pack) and the state file.
    dir: '/zimbolo',
    stateFile: '/zimbolo/.velmarstate',
    // Where the state file is kept: a database, its store and the key.
    database: 'zimbolo',
    store: 'files',
    key: '.velmarstate',
    db: null,
    // Saves written back so far (a promise), and whether one more is queued.
    saved: null,
    flushQueued: false,
    // The window mode the game asked for last.
    fullscreen: false,

    // NOTE: the library's objects are written out as source text when the
    // game is built: what is made at run time is made here.
    init: function() {
      WebHost.saved = Promise.resolve();
      Module['whenSaved'] = function() { return WebHost.saved; };
      Module['stopGame'] = WebHost.stop;
      addOnPreRun(WebHost.loadState);
    },

    // Listens to the page: its size and pixel ratio, F11, the first key or
    // click, full screen.
    start: function() {
      window.addEventListener('resize', WebHost.fit);
      WebHost.watchPixelRatio();
      window.addEventListener('keydown', WebHost.onKeyDown, true);
      ['keydown', 'mousedown', 'touchend'].forEach(function(type) {
        window.addEventListener(type, WebHost.startSound, true);
      });
      document.addEventListener('fullscreenchange', WebHost.onFullscreenChange);
    },

    // No frame, key or page event reaches the game any more.
    stop: function() {
      Browser.mainLoop.pause();
      JSEvents.removeAllEventListeners();
      GLFW.active = null;
      window.removeEventListener('resize', WebHost.fit);
      window.removeEventListener('keydown', WebHost.onKeyDown, true);
    },

    // The canvas's size in screen pixels.
    pageSize: function() {
      var canvas = Module['canvas'];
      var ratio = window.devicePixelRatio || 1;
      return [Math.max(1, Math.round(canvas.clientWidth * ratio)),
              Math.max(1, Math.round(canvas.clientHeight * ratio))];
    },

    // Fits the canvas again when the pixel ratio changes (the window moved to
    // another screen, or the page was zoomed), which is not always a resize.
    watchPixelRatio: function() {
      if (!window.matchMedia) return;
      var query = window.matchMedia('(resolution: ' + (window.devicePixelRatio || 1) + 'dppx)');
      query.addEventListener('change', function() {
        WebHost.fit();
        WebHost.watchPixelRatio();
      }, {once: true});
    },

    // Gives the canvas the page's size; the window's size follows.
    fit: function() {
      var size = WebHost.pageSize();
      var canvas = Module['canvas'];
      if (canvas.width !== size[0] || canvas.height !== size[1]) Browser.setCanvasSize(size[0], size[1]);
    },

    // Brings the page into or out of full screen, unless that was asked for
    // already (the F11 key asks before the game does).
    setFullscreen: function(on) {
      if (WebHost.fullscreen === on) return;
      WebHost.fullscreen = on;
      var now = !!document.fullscreenElement;
      if (on && !now && document.documentElement.requestFullscreen) {
        document.documentElement.requestFullscreen().catch(function() {});
      } else if (!on && now) {
        document.exitFullscreen().catch(function() {});
      }
    },

    // NOTE: F11 reaches the game too, which then opens its window in the mode
    // asked for here; the browser's own F11 would leave the game out of step.
    onKeyDown: function(event) {
      if (event.key !== 'F11' || !GLFW.active) return;
      event.preventDefault();
      WebHost.setFullscreen(!WebHost.fullscreen);
    },

    // The browser left full screen by itself (Escape): the game hears the
    // F11 that leaves it, so that its own switch follows.
    onFullscreenChange: function() {
      WebHost.fit();
      if (document.fullscreenElement || !WebHost.fullscreen || !GLFW.active) return;
      var f11 = 122;
      GLFW.onKeyChanged(f11, 1);
      GLFW.onKeyChanged(f11, 0);
    },

    // NOTE: sounds the game played while the browser held the sound back
    // would all start at once; they are stopped first (music, which loops,
    // plays on).
    startSound: function() {
      for (var id in AL.contexts) {
        var context = AL.contexts[id];
        if (!context || context.audioCtx.state !== 'suspended') continue;
        for (var s in context.sources) {
          var source = context.sources[s];
          if (source.state === 0x1012 /* AL_PLAYING */ && !source.looping) {
            AL.setSourceState(source, 0x1014 /* AL_STOPPED */);
          }
        }
        context.audioCtx.resume();
      }
    },

    // Runs use(store) in a transaction; done(error) once, when it is kept
    // (null) or lost.
    withStore: function(mode, use, done) {
      var finished = false;
      function finish(error) {
        if (!finished) done(error);
        finished = true;
      }
      function transact(db) {
        var transaction = null;
        try {
          transaction = db.transaction(WebHost.store, mode);
          transaction.oncomplete = function() { finish(null); };
          transaction.onabort = function() { finish(transaction.error || 'AbortError'); };
          use(transaction.objectStore(WebHost.store));
        } catch (e) {
          finish(e);
          if (transaction) transaction.abort();
        }
      }
      if (WebHost.db) return transact(WebHost.db);
      try {
        var request = indexedDB.open(WebHost.database, 1);
        request.onupgradeneeded = function() { request.result.createObjectStore(WebHost.store); };
        request.onsuccess = function() { WebHost.db = request.result; transact(WebHost.db); };
        request.onerror = function() { finish(request.error); };
      } catch (e) {
        finish(e);
      }
    },

    // Before the game starts: its directory, and the kept state file in it.
    loadState: function() {
      FS.mkdirTree(WebHost.dir);
      FS.chdir(WebHost.dir);
      addRunDependency('web-host-state');
      WebHost.withStore('readonly', function(store) {
        var request = store.get(WebHost.key);
        request.onsuccess = function() {
          if (request.result) FS.writeFile(WebHost.stateFile, request.result);
        };
      }, function(error) {
        if (error) err('the saved state could not be read: ' + error);
        removeRunDependency('web-host-state');
      });
    },

    // Writes the state file back once more, after the writes queued before.
    // NOTE: the write back reads the file when it runs, after the save that
    // asked for it has renamed its temporary file over the state file.
    flushState: function() {
      if (WebHost.flushQueued) return;
      WebHost.flushQueued = true;
      WebHost.saved = WebHost.saved.then(function() {
        WebHost.flushQueued = false;
        return new Promise(function(resolve) {
          WebHost.withStore('readwrite', function(store) {
            if (FS.analyzePath(WebHost.stateFile).exists) {
              store.put(FS.readFile(WebHost.stateFile), WebHost.key);
            } else {
              store.delete(WebHost.key);
            }
          }, function(error) {
            if (error && Module['onSaveFailed']) Module['onSaveFailed'](String(error.name || error.code || error));
            resolve();
          });
        });
      });
    },
  },

  web_host_start__deps: ['$WebHost'],
  web_host_start: function() {
    WebHost.start();
  },

  web_open_url: function(url) {
    window.open(UTF8ToString(url), '_blank', 'noopener');
  },

  // The window is always the page-sized canvas; the mode asked for becomes
  // the page's full screen.
  glfwCreateWindow__deps: ['$WebHost'],
  glfwCreateWindow: function(width, height, title, monitor, share) {
    var size = WebHost.pageSize();
    var id = GLFW.createWindow(size[0], size[1], title, 0, share);
    WebHost.setFullscreen(!!monitor);
    return id;
  },

  // NOTE: Emscripten's GLFW calls the close callback of a window it destroys,
  // which the game takes for the player closing the window: a window that is
  // destroyed here is not asked. The browser keeps one WebGL context per
  // canvas, so the next window gets the same one; the textures of the window
  // that closes are deleted, as the game makes them anew for the next window.
  glfwDestroyWindow__deps: ['$WebHost'],
  glfwDestroyWindow: function(id) {
    var win = GLFW.WindowFromId(id);
    if (win) win.windowCloseFunc = 0;
    GLFW.destroyWindow(id);
    for (var i = 0; i < GL.textures.length; i++) {
      if (!GL.textures[i]) continue;
      GLctx.deleteTexture(GL.textures[i]);
      GL.textures[i] = null;
    }
  },

  // A save makes its state file durable with fsync: in a browser, that is
  // writing it back to IndexedDB.
  fd_sync__deps: ['$WebHost'],
  fd_sync__sig: 'ii',
  fd_sync: function(fd) {
    WebHost.flushState();
    return 0;
  },
};

mergeInto(LibraryManager.library, LibraryWebHost);
