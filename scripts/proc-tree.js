// proc-tree.js - a process and all its descendants, from /proc (Linux), for
// the scripts that measure a browser's processes (bench-web.js and
// tools/soak_browser.js).
'use strict';
const fs = require('fs');

// Every process's children, by parent id; a process that ends while it is
// read is left out.
function childrenByParent() {
  const children = new Map();
  for (const entry of fs.readdirSync('/proc')) {
    if (!/^\d+$/.test(entry)) continue;
    try {
      const stat = fs.readFileSync(`/proc/${entry}/stat`, 'utf8');
      const ppid = Number(stat.slice(stat.lastIndexOf(')') + 2).split(' ')[1]);
      if (!children.has(ppid)) children.set(ppid, []);
      children.get(ppid).push(Number(entry));
    } catch (e) { /* gone */ }
  }
  return children;
}

// The root first, then its descendants, nearest first.
function processTree(root) {
  const children = childrenByParent();
  const all = [root];
  for (let i = 0; i < all.length; i++) all.push(...(children.get(all[i]) || []));
  return all;
}

module.exports = { processTree };
