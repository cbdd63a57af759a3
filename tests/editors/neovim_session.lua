-- Neovim 0.7's own LSP client drives dialoscope-lsp on a copy of examples/: diagnostics, hover,
-- definition, rename and references, each checked on what the German guard script holds.
-- Run: DIALOSCOPE_LSP=... EXAMPLES=COPY nvim --headless -u NONE -i NONE -n -c 'luafile THIS'
local examples = os.getenv('EXAMPLES')
local counts = { passed = 0, failed = 0 }

local function check(name, ok, detail)
    io.stdout:write((ok and 'ok   ' or 'FAIL ') .. name .. (ok and '' or ': ' .. vim.inspect(detail)) .. '\n')
    counts[ok and 'passed' or 'failed'] = counts[ok and 'passed' or 'failed'] + 1
end

local function session()
    vim.cmd('edit ++enc=cp1252 ' .. examples .. '/de/guard.ipp')
    local buf = vim.api.nvim_get_current_buf()
    vim.bo[buf].filetype = 'dialoscope-script'
    local client = vim.lsp.start_client({
        name = 'dialoscope',
        cmd = { os.getenv('DIALOSCOPE_LSP') },
        root_dir = examples,
        init_options = { codePage = 'windows-1252', originalFolder = '' },
    })
    vim.lsp.buf_attach_client(buf, client)

    -- Lines and columns as the protocol counts them, from 0; the script is ASCII.
    local function request(method, line, character, extra)
        local params = vim.tbl_extend('force', {
            textDocument = { uri = vim.uri_from_bufnr(buf) },
            position = { line = line, character = character },
        }, extra or {})
        local answers = vim.lsp.buf_request_sync(buf, method, params, 10000) or {}
        local answer = answers[client] or {}
        return answer.result, answer.error
    end

    local function column(line, word)
        return vim.api.nvim_buf_get_lines(buf, line, line + 1, true)[1]:find(word, 1, true) - 1
    end

    vim.wait(10000, function() return #vim.diagnostic.get(buf) > 0 end, 50)
    local missing = vim.tbl_filter(function(d)
        local code = d.code or (d.user_data and d.user_data.lsp and d.user_data.lsp.code)
        return d.lnum == 57 and code == 'missing-message' and d.message:find('118', 1, true) ~= nil
    end, vim.diagnostic.get(buf))
    check('diagnostics: 118 of Rnd(117,119) is missing', #missing == 1, vim.diagnostic.get(buf))

    -- Say(Self, 1, 100); in Greeting: the text comes from de/guard.msg through the code page.
    local hover = request('textDocument/hover', 19, column(19, '100'))
    local text = hover and (type(hover.contents) == 'table' and (hover.contents.value or vim.inspect(hover.contents)) or hover.contents)
    check('hover: message 100', text ~= nil and text:find('Nordtor von Mühlbach', 1, true) ~= nil, hover)

    -- Answer(4, 102, @AskTown); goes to "function AskTown;" on line 28, not to its forward declaration.
    local definition = request('textDocument/definition', 21, column(21, 'AskTown'))
    local target = definition and (definition.uri and definition or definition[1])
    check('definition: answer target AskTown', target ~= nil and target.range.start.line == 27
        and target.uri:find('guard.ipp$') ~= nil, definition)

    -- AskSmith: forward declaration, function, two answers.
    local rename = request('textDocument/rename', 36, column(36, 'AskSmith'), { newName = 'AskBlacksmith' })
    local edits = rename and rename.changes and rename.changes[vim.uri_from_bufnr(buf)] or {}
    if rename and rename.documentChanges then
        for _, change in ipairs(rename.documentChanges) do
            if change.textDocument.uri == vim.uri_from_bufnr(buf) then edits = change.edits end
        end
    end
    local lines = vim.tbl_map(function(e) return e.range.start.line end, edits)
    table.sort(lines)
    check('rename: node AskSmith', vim.deep_equal(lines, { 12, 22, 32, 36 })
        and vim.tbl_count(vim.tbl_filter(function(e) return e.newText == 'AskBlacksmith' end, edits)) == 4, rename)

    -- Message 106 is said once, in AskTown, and stands on line 10 of the message file.
    local references = request('textDocument/references', 30, column(30, '106'),
        { context = { includeDeclaration = true } }) or {}
    local places = vim.tbl_map(function(l) return vim.fn.fnamemodify(vim.uri_to_fname(l.uri), ':t') .. ':' .. l.range.start.line end, references)
    check('references: message 106', vim.tbl_contains(places, 'guard.ipp:30') and vim.tbl_contains(places, 'guard.msg:9'), places)

    vim.lsp.stop_client(client)
    vim.wait(5000, function() return vim.lsp.get_client_by_id(client) == nil end, 50)
end

-- An error inside the session would leave Neovim waiting for input: count it and quit.
local ok, problem = xpcall(session, debug.traceback)
if not ok then check('session', false, problem) end
io.stdout:write(string.format('%d passed, %d failed\n', counts.passed, counts.failed))
vim.cmd(counts.failed == 0 and 'qall!' or 'cquit 1')
