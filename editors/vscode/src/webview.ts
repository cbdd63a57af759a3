// The page frame both views share: a content security policy that lets in only the page's own
// script (by nonce) and inline styles, the editor's theme colours, and escaping for texts.
import { randomBytes } from 'crypto';

export function Escape(text: string): string {
    return text.replace(/[&<>"']/g, (c) => `&#${c.charCodeAt(0)};`);
}

const style = `
body { font-family: var(--vscode-font-family); color: var(--vscode-foreground); }
button { background: var(--vscode-button-background); color: var(--vscode-button-foreground);
         border: none; padding: 3px 10px; margin: 2px; cursor: pointer; }
pre { font-family: var(--vscode-editor-font-family); white-space: pre-wrap; }
.error { color: var(--vscode-errorForeground); }
.bar { position: sticky; top: 0; background: var(--vscode-editor-background); padding: 4px 0; }
svg { background: white; max-width: 100%; height: auto; }
svg g.node { cursor: pointer; }
`;

// Script runs with `vscode` bound to the webview's message port.
export function Page(title: string, body: string, script: string): string {
    const nonce = randomBytes(16).toString('base64');
    return `<!DOCTYPE html>
<html><head><meta charset="UTF-8">
<meta http-equiv="Content-Security-Policy" content="default-src 'none'; img-src data:; style-src 'unsafe-inline'; script-src 'nonce-${nonce}';">
<title>${Escape(title)}</title><style>${style}</style></head>
<body>${body}
<script nonce="${nonce}">const vscode = acquireVsCodeApi();
${script}</script></body></html>`;
}
