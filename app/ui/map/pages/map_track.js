// The vehicle's track on a plain background: the program calls
// ClearAll_N() and AddGLatLng_N(vehicleId, time, latitude, longitude) with
// strings; a click near a point of the track asks the program to seek there
// by navigating to "app:nomal&<time>". The track is drawn in Web Mercator,
// scaled to its own bounds, so it needs no network. When the page sets
// MapTrackOptions.tiles to a URL pattern with {z}, {x} and {y}, tiles from
// that address are laid under the track where they load.
(function () {
  "use strict";
  var SVG = "http://www.w3.org/2000/svg";
  var MARGIN = 24;
  var PICK_RADIUS = 12;
  var options = window.MapTrackOptions || {};
  var points = [];
  var view = null;

  function command(text) {
    window.location.href = "app:" + text;
  }

  // Web Mercator on a unit square: x and y from 0 to 1.
  function project(lat, lon) {
    var s = Math.sin(Math.max(-85, Math.min(85, lat)) * Math.PI / 180);
    return { x: (lon + 180) / 360, y: 0.5 - Math.log((1 + s) / (1 - s)) / (4 * Math.PI) };
  }

  function element(name, attributes, parent) {
    var e = document.createElementNS(SVG, name);
    for (var key in attributes)
      e.setAttribute(key, attributes[key]);
    parent.appendChild(e);
    return e;
  }

  // Scale and offset that fit every point into the drawing area.
  function fit(width, height) {
    var minX = 1, minY = 1, maxX = 0, maxY = 0;
    points.forEach(function (p) {
      minX = Math.min(minX, p.m.x); maxX = Math.max(maxX, p.m.x);
      minY = Math.min(minY, p.m.y); maxY = Math.max(maxY, p.m.y);
    });
    var spanX = Math.max(maxX - minX, 1e-7), spanY = Math.max(maxY - minY, 1e-7);
    var scale = Math.min((width - 2 * MARGIN) / spanX, (height - 2 * MARGIN) / spanY);
    return {
      scale: scale,
      left: (width - scale * spanX) / 2 - scale * minX,
      top: (height - scale * spanY) / 2 - scale * minY
    };
  }

  function screen(m) {
    return { x: view.left + view.scale * m.x, y: view.top + view.scale * m.y };
  }

  function drawTiles(svg, width, height) {
    var z = Math.max(0, Math.min(18, Math.floor(Math.log(view.scale / 256) / Math.LN2)));
    var n = Math.pow(2, z), size = view.scale / n;
    var x0 = Math.floor(-view.left / size), y0 = Math.floor(-view.top / size);
    for (var x = x0; x * size + view.left < width; ++x) {
      for (var y = y0; y * size + view.top < height; ++y) {
        if (x < 0 || y < 0 || x >= n || y >= n)
          continue;
        element("image", {
          href: options.tiles.replace("{z}", z).replace("{x}", x).replace("{y}", y),
          x: view.left + x * size, y: view.top + y * size, width: size, height: size
        }, svg);
      }
    }
  }

  function draw() {
    var svg = document.getElementById("track");
    while (svg.firstChild)
      svg.removeChild(svg.firstChild);
    var box = svg.getBoundingClientRect();
    var width = box.width || window.innerWidth, height = box.height || window.innerHeight;
    document.getElementById("status").textContent = points.length ? "" : "No track";
    if (!points.length)
      return;
    view = fit(width, height);
    if (options.tiles)
      drawTiles(svg, width, height);
    var line = points.map(function (p) {
      var s = screen(p.m);
      return s.x.toFixed(1) + "," + s.y.toFixed(1);
    }).join(" ");
    element("polyline", { points: line, "class": "track" }, svg);
    var last = points[points.length - 1], s = screen(last.m);
    element("circle", { cx: s.x, cy: s.y, r: 7, "class": "vehicle" }, svg);
    element("text", { x: s.x + 10, y: s.y - 10, "class": "label" }, svg).textContent = last.id;
  }

  function nearest(x, y) {
    var best = null, bestDistance = PICK_RADIUS * PICK_RADIUS;
    points.forEach(function (p) {
      var s = screen(p.m), d = (s.x - x) * (s.x - x) + (s.y - y) * (s.y - y);
      if (d <= bestDistance) {
        best = p;
        bestDistance = d;
      }
    });
    return best;
  }

  window.ClearAll_N = function () {
    points = [];
    draw();
  };

  window.AddGLatLng_N = function (id, time, latitude, longitude) {
    var lat = parseFloat(latitude), lon = parseFloat(longitude);
    if (!isFinite(lat) || !isFinite(lon))
      return;
    points.push({ id: String(id), time: String(time), m: project(lat, lon) });
    draw();
  };

  window.addEventListener("load", function () {
    var svg = document.getElementById("track");
    svg.addEventListener("click", function (event) {
      // Client coordinates: offsets would be relative to the shape clicked.
      var box = svg.getBoundingClientRect();
      var hit = view && nearest(event.clientX - box.left, event.clientY - box.top);
      command(hit ? "nomal&" + hit.time : "GetFocus&");
    });
    window.addEventListener("resize", draw);
    draw();
    command("MapReady&");
  });
})();
