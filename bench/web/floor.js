// The floor page's one script: what a page with no game in it does for a
// click of the progress button, with every picture already loaded and
// decoded by the browser: swap the two pictures and set the story box's text.
(function () {
  const bg = document.querySelector('#bg > img');
  const ch = document.querySelector('#ch > img');
  const text = document.getElementById('Text1');
  const load = function (name) {
    const image = new Image();
    image.src = encodeURIComponent(name);
    return image.decode().then(function () { return image; });
  };
  // Loaded after the page, so the first paint is the page's own.
  window.addEventListener('load', function () {
    Promise.all(['배경1.jpg', '배경2.jpg', '시작 2.gif', '메어드.gif'].map(load)).then(function (images) {
      let turn = 0;
      document.getElementById('Command6').addEventListener('click', function () {
        turn ^= 1;
        bg.src = images[turn].src;
        ch.src = images[2 + turn].src;
        text.value = turn ? '눈을 몇 번 깜빡이고 주위를 둘러보았다.\n나무, 나무, 또 나무. 전혀 처음 보는 곳이다.'
                          : "'여긴... 어디지?'";
      });
      document.getElementById('Form1').dataset.ready = 'ready';
    });
  });
})();
