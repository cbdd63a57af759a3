script NoMsg('no_msg.msg');

end.
