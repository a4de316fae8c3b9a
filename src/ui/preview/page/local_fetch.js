// The web engine's fetch reads no URL of the program's own scheme, from which
// the page and the X3D browser's files come; XMLHttpRequest does. The X3D
// browser fetches its WebAssembly this way.
(() => {
  const webFetch = window.fetch.bind(window);
  window.fetch = (input, init) => {
    const url = new URL(input instanceof Request ? input.url : String(input), document.baseURI);
    if (url.protocol !== location.protocol) return webFetch(input, init);
    return new Promise((resolve, reject) => {
      const request = new XMLHttpRequest();
      request.open("GET", url.href);
      request.responseType = "arraybuffer";
      request.onload = () =>
        resolve(new Response(request.response, {
          status: 200,
          headers: { "Content-Type": request.getResponseHeader("Content-Type") ?? "" },
        }));
      request.onerror = () => reject(new TypeError(`cannot read ${url.href}`));
      request.send();
    });
  };
})();
