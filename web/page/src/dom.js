// Small builders of the page's elements.
export function element(tag, properties = {}, ...children) {
  const e = document.createElement(tag);
  Object.assign(e, properties);
  e.append(...children);
  return e;
}

// A control under its visible label, which is also its accessible name.
export function labelled(text, control, id = control.id) {
  control.id = id || `field-${text.replace(/\W+/g, '-').toLowerCase()}`;
  return element('div', { className: 'entry' }, element('label', { htmlFor: control.id, textContent: text }), control);
}
